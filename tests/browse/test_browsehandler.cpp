#include "browse/BrowseHandler.h"
#include "dictionary/LetterFile.h"
#include "state/Module1.h"
#include "support/LetterFiles.h"
#include "support/RandomLetterFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{

class FakeBrowseView final : public BrowseView, public SystemBeep
{
  public:
    int letterIndex() const override { return letter; }
    int directionIndex() const override { return direction; }
    void setListing(Listing text) override { listing = text.rest(); }
    void setMousePointer(MousePointer p) override { pointers.append(p); }
    void beep() override { ++beeps; }

    int letter = -1;
    int direction = -1;
    QString listing;
    QList<MousePointer> pointers;
    int beeps = 0;
};

class BrowseHandlerTest : public ::testing::Test
{
  protected:
    BrowseHandlerTest()
    {
        Module1::resetAll();
        Module1::DataPath = data.path();
    }

    QString click(char letter, int direction = -1)
    {
        view.letter = letter - 'A';
        view.direction = direction;
        handler.letterClicked();
        return view.listing;
    }

    TempDataDir data;
    FakeBrowseView view;
    BrowseHandler handler{view, view};
};

} // namespace

TEST_F(BrowseHandlerTest, TheDirectionBoxChoosesTheFileAndDictExt)
{
    data.writeLines("c.dta", lines({"cat", "kočka;", "End"}));
    data.writeLines("c.cze", lines({"čaj", "Tea", "end", "end"}));
    EXPECT_EQ(click('C'), u("CAT .......... kočka;\r\n"));
    EXPECT_EQ(Module1::DictExt, ".dta");
    EXPECT_EQ(Module1::BrowseIndex, 0);
    EXPECT_EQ(view.pointers, (QList<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));

    EXPECT_EQ(click('C', 1), u("ČAJ .......... Tea\r\n"));
    EXPECT_EQ(Module1::DictExt, ".cze");
    EXPECT_EQ(Module1::BrowseIndex, 1);
    EXPECT_EQ(click('C', 0), u("CAT .......... kočka;\r\n"));
}

TEST_F(BrowseHandlerTest, ABrokenFileShowsTheMessageWithOneBeepAndNothingElse)
{
    data.writeLines("b.dta", lines({"BOX", "krabice;", "BIG"}));
    EXPECT_EQ(click('B'), BrowseHandler::TooLongMessage);
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(view.pointers.last(), MousePointer::Default);

    // Missing, empty, terminator-only and unreadable files list as nothing, silently.
    data.writeBytes("e.dta", {});
    data.writeLines("t.dta", lines({"End"}));
    ASSERT_EQ(::mkfifo(QFile::encodeName(data.file("f.dta")).constData(), 0600), 0);
    for (char letter : {'M', 'E', 'T', 'F'}) {
        view.listing = "stale";
        EXPECT_EQ(click(letter), "") << letter;
    }
    EXPECT_EQ(view.beeps, 1);
}

// The listing as it was built before it was built on bytes: the file decoded into entries,
// every head raised as a whole string; taken a few lines at a time, as the box takes it.
TEST(BrowseListing, IsWhatTheDecodedEntriesGaveForRandomFiles)
{
    QRandomGenerator random(20240612);
    for (int round = 0; round < 400; ++round) {
        const RandomLetterFile file = randomLetterFile(random, random.bounded(1, 30));
        for (const QString& ext : {LetterFile::EnglishToCzech, LetterFile::CzechToEnglish}) {
            const LetterFile::Entries read = LetterFile::readEntries(file.bytes, ext);
            std::optional<QString> expected;
            if (!read.incomplete) {
                expected.emplace();
                for (const LetterFile::Entry& entry : read.entries)
                    *expected += entry.head.toUpper() + Listing::Separator + entry.translation +
                                 QStringLiteral("\r\n");
            }
            std::optional<QString> got;
            if (std::optional<Listing> listing = Listing::of(file.bytes, ext)) {
                got.emplace();
                while (!listing->atEnd())
                    *got += listing->next(random.bounded(1, 4));
            }
            ASSERT_EQ(got, expected) << "round " << round << ext.toStdString() << ' '
                                     << file.bytes.toHex().toStdString();
        }
    }
}
