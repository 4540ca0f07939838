#include "speech/AudioPlayer.h"
#include "speech/EspeakEngine.h"
#include "speech/EspeakSpeech.h"
#include "speech/PcmBuffer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <thread>

namespace
{

QByteArray readAll(PcmBuffer& buffer, qint64 chunk)
{
    QByteArray all;
    QByteArray piece(chunk, '\0');
    while (const qint64 n = buffer.read(piece.data(), chunk))
        all.append(piece.constData(), n);
    return all;
}

} // namespace

TEST(PcmBuffer, DroppingASpeakerTakesOutExactlyItsBytes)
{
    PcmBuffer buffer;
    buffer.append(1, "aaaa", 4);
    buffer.append(2, "bbbb", 4);
    buffer.append(1, "cccc", 4);
    buffer.append(2, "dd", 2);
    buffer.append(2, "ee", 2);
    EXPECT_EQ(buffer.size(), 16);

    char head[2];
    ASSERT_EQ(buffer.read(head, 2), 2); // half of the first piece is playing
    EXPECT_TRUE(buffer.remove(1));
    EXPECT_FALSE(buffer.remove(1));
    EXPECT_EQ(buffer.size(), 8);
    EXPECT_EQ(readAll(buffer, 3), QByteArray("bbbbddee"));
    EXPECT_EQ(buffer.size(), 0);
}

TEST(PcmBuffer, ReadsWholeSamplesOnly)
{
    // An odd read must not leave half a sample behind for the next speaker's audio.
    PcmBuffer buffer;
    buffer.append(1, "abcdef", 6);
    char out[5];
    EXPECT_EQ(buffer.read(out, 5), 4);
    EXPECT_EQ(buffer.read(out, 1), 0);
    EXPECT_EQ(buffer.read(out, 5), 2);
}

// Runs wherever the tests run: without a sound device the speech is thrown away quietly;
// with one, it plays. Either way nothing hangs, piles up or floods the terminal.
TEST(AudioPlayer, WithoutSoundDeviceNothingHangsOrPilesUp)
{
    int argc = 1;
    char name[] = "test_audio_player";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    EspeakEngine& engine = EspeakEngine::instance();
    const auto hello = engine.synthesize(QStringLiteral("hello"), 1, 170);
    ASSERT_FALSE(hello.empty());

    testing::internal::CaptureStderr();
    {
        AudioPlayer player(engine.sampleRate());
        for (int i = 0; i < 5; ++i) {
            player.begin({});
            player.append(1, hello.data(), int(hello.size()));
            player.end(1);
        }
        EXPECT_GT(player.secondsAhead(), 0.0);
        // Played through, or thrown away at once.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (player.secondsAhead() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(player.secondsAhead(), 0.0);
    }
    {
        // Windows opening and closing while they still have plenty to say.
        for (int window = 0; window < 5; ++window) {
            EspeakSpeech speech;
            for (int i = 0; i < 50; ++i)
                speech.speak(QStringLiteral("hello world"));
        }
    }
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_LE(std::count(messages.begin(), messages.end(), '\n'), 2) << messages;
}
