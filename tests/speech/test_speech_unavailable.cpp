// espeak-ng on data that is missing or broken. A process of its own: espeak-ng has one state
// per process, and no other engine may hold it while these run.
#include "speech/EspeakEngine.h"
#include "speech/EspeakSpeech.h"
#include "speech/SpeechWorker.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <thread>

namespace
{

// Counts the utterances done and the pieces of PCM among them; the counts outlive the
// output, which its worker owns.
struct Counts {
    std::atomic_int ended = 0;
    std::atomic_int pieces = 0;
};

class CountingOutput final : public SpeechOutput
{
  public:
    explicit CountingOutput(std::shared_ptr<Counts> counts) : m_counts(std::move(counts)) {}
    void begin(const Utterance&) override {}
    void append(quint64, const qint16*, int) override { ++m_counts->pieces; }
    void end(quint64) override { ++m_counts->ended; }
    void drop(quint64) override {}
    double secondsAhead() const override { return 0; }

  private:
    std::shared_ptr<Counts> m_counts;
};

} // namespace

TEST(SpeechUnavailable, BrokenDataSilencesTheControlsAndSaysWhereQuietly)
{
    QTemporaryDir empty; // a folder without espeak-ng's data
    ASSERT_TRUE(empty.isValid());
    testing::internal::CaptureStderr();
    for (const QString& path : {empty.path(), empty.filePath(QStringLiteral("missing"))}) {
        EspeakEngine engine(path);
        EXPECT_FALSE(engine.available());
        EXPECT_EQ(engine.unavailableReason(),
                  QStringLiteral("data hlasového syntetizátoru espeak-ng ve složce %1 chybí nebo "
                                 "jsou poškozená")
                      .arg(QDir::toNativeSeparators(path)));
        EXPECT_TRUE(engine.synthesize(QStringLiteral("hello"), 1, 100).empty());

        auto counts = std::make_shared<Counts>();
        EspeakSpeech control(
            std::make_shared<SpeechWorker>(std::make_unique<CountingOutput>(counts), engine));
        control.speak(QStringLiteral("hello"));
        EXPECT_EQ(control.unavailableReason(), engine.unavailableReason());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (counts->ended == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(counts->ended, 1);
        EXPECT_EQ(counts->pieces, 0);
    }
    // The reason goes to the user; nothing goes to the terminal.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // The installed data still works afterwards, for one engine at a time.
    EspeakEngine installed;
    ASSERT_TRUE(installed.available()) << installed.unavailableReason().toStdString();
    EXPECT_FALSE(installed.synthesize(QStringLiteral("hello"), 1, 100).empty());
    EspeakEngine second;
    EXPECT_FALSE(second.available());
    EXPECT_FALSE(second.unavailableReason().isEmpty());
    EXPECT_FALSE(installed.synthesize(QStringLiteral("hello"), 2, 100).empty());
}
