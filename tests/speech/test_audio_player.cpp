#include "speech/AudioPlayer.h"
#include "speech/FliteEngine.h"
#include "speech/PcmBuffer.h"
#include "speech/QueuedSpeech.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>

#include <chrono>
#include <thread>

TEST(PcmBuffer, DroppingASpeakerTakesOutExactlyItsBytesAndReadsKeepWholeSamples)
{
    PcmBuffer buffer;
    const std::pair<quint64, const char*> pieces[] = {{1, "aaaa"}, {2, "bbbb"}, {1, "cccc"},
                                                      {2, "dd"},   {2, "ee"},   {3, "fgh"}};
    for (const auto& [speaker, bytes] : pieces)
        buffer.append(speaker, bytes, qint64(qstrlen(bytes)));
    char out[16];
    ASSERT_EQ(buffer.read(out, 2), 2); // half of the first piece is playing
    EXPECT_TRUE(buffer.remove(1));
    EXPECT_FALSE(buffer.remove(1));
    EXPECT_EQ(buffer.size(), 11);
    // An odd read must not leave half a sample behind for the next speaker's audio.
    EXPECT_EQ(buffer.read(out, 9), 8);
    EXPECT_EQ(QByteArray(out, 8), QByteArray("bbbbddee"));
    EXPECT_EQ(buffer.read(out, 1), 0);
    EXPECT_EQ(buffer.read(out, 16), 3);
}

// Runs wherever the tests run: without a sound device the speech is thrown away quietly;
// with one, it plays. Either way nothing hangs, piles up or floods the terminal.
TEST(AudioPlayer, WithoutSoundDeviceNothingHangsOrPilesUp)
{
    int argc = 1;
    char name[] = "test_audio_player";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    const std::vector<qint16> tone(FliteEngine::SampleRate, 1000); // a second of it

    const QString noOutput = QMediaDevices::audioOutputs().isEmpty()
                                 ? QStringLiteral("počítač nemá žádný zvukový výstup")
                                 : QString();
    testing::internal::CaptureStderr();
    {
        AudioPlayer player(FliteEngine::SampleRate);
        for (int i = 0; i < 5; ++i)
            player.append(1, tone.data(), int(tone.size()));
        // Played through, or thrown away at once (without a device the player may already
        // have dropped it here).
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (player.secondsAhead() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(player.secondsAhead(), 0.0);
    }
    // Windows opening and closing while they still have plenty to say; each tells why it
    // cannot be heard when there is no sound output (what Qt Multimedia offers here: with
    // PulseAudio, no device when no server answers).
    for (int window = 0; window < 5; ++window) {
        QueuedSpeech speech;
        EXPECT_EQ(speech.unavailableReason(), noOutput);
        for (int i = 0; i < 50; ++i)
            speech.speak(QStringLiteral("hello world"));
    }
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_LE(std::count(messages.begin(), messages.end(), '\n'), 2) << messages;
}
