#include "speech/PcmSplicer.h"

#include <gtest/gtest.h>

// A steady tone of 1000 fed in uneven pieces: silence put in lands where asked with the sound
// faded on both sides of it, left-out samples are gone, and nothing else changes.
TEST(PcmSplicer, PutsInAndLeavesOutSilenceWhereAsked)
{
    const std::vector<qint16> tone(1000, 1000);
    speech::PcmSplicer splicer;
    splicer.start({{600, -100}, {300, 200}});
    std::vector<qint16> out;
    const auto collect = [&out](const qint16* samples, int count) {
        out.insert(out.end(), samples, samples + count);
        return true;
    };
    for (size_t at = 0; at < tone.size(); at += 37)
        ASSERT_TRUE(
            splicer.feed(tone.data() + at, int(std::min<size_t>(37, tone.size() - at)), collect));
    ASSERT_TRUE(splicer.finish(collect));
    ASSERT_EQ(out.size(), 1100u);
    EXPECT_EQ(out[250], 1000);
    EXPECT_LT(out[299], 100); // faded out
    EXPECT_EQ(std::count(out.begin() + 300, out.begin() + 500, 0), 200);
    EXPECT_LT(out[500], 100); // and in again
    EXPECT_EQ(std::count(out.begin() + 560, out.end(), 1000), 1100 - 560);
}
