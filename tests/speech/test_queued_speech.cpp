#include "PcmAnalysis.h"
#include "speech/FliteEngine.h"
#include "speech/QueuedSpeech.h"
#include "speech/SpeechWorker.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace
{

// A speech output that keeps every utterance with its PCM instead of playing it, for the
// test to read while the worker's thread writes.
class RecordingOutput final : public SpeechOutput
{
  public:
    struct Record {
        Utterance utterance;
        std::vector<qint16> pcm;
        bool finished = false;
    };

    void begin(const Utterance& u) override
    {
        Change c(*this);
        m_records.push_back({u, {}, false});
    }
    void append(quint64, const qint16* samples, int count) override
    {
        Change c(*this);
        m_records.back().pcm.insert(m_records.back().pcm.end(), samples, samples + count);
    }
    void end(quint64) override
    {
        Change c(*this);
        m_records.back().finished = true;
    }
    void drop(quint64 speaker) override
    {
        Change c(*this);
        m_dropped.push_back(speaker);
    }
    double secondsAhead() const override
    {
        std::lock_guard lock(m_mutex);
        return m_holding ? 1e9 : 0.0;
    }

    // While holding, the output claims to be far ahead, so the worker holds synthesis back.
    void setHolding(bool hold)
    {
        Change c(*this);
        m_holding = hold;
    }
    std::vector<quint64> dropped()
    {
        std::lock_guard lock(m_mutex);
        return m_dropped;
    }
    // Waits (at most 20 s) until an utterance has begun and `count` have finished; returns a
    // copy of the records.
    std::vector<Record> recordsWhenFinished(qsizetype count)
    {
        std::unique_lock lock(m_mutex);
        EXPECT_TRUE(m_changed.wait_for(lock, std::chrono::seconds(20), [&] {
            return !m_records.empty() &&
                   std::ranges::count(m_records, true, &Record::finished) >= count;
        }));
        return m_records;
    }

  private:
    // Holds the lock while the log changes, and wakes the waiting test.
    struct Change {
        explicit Change(RecordingOutput& output) : output(output), lock(output.m_mutex) {}
        ~Change() { output.m_changed.notify_all(); }
        RecordingOutput& output;
        std::lock_guard<std::mutex> lock;
    };

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Record> m_records;
    std::vector<quint64> m_dropped;
    bool m_holding = false;
};

// Speech controls on a worker that records what it synthesises.
class QueuedSpeechTest : public testing::Test
{
  protected:
    FliteEngine& engine = FliteEngine::instance();
    std::unique_ptr<RecordingOutput> recording = std::make_unique<RecordingOutput>();
    RecordingOutput& output = *recording; // the worker owns it and outlives every use here
    std::shared_ptr<SpeechWorker> worker =
        std::make_shared<SpeechWorker>(std::move(recording), engine);
};

const QString Sentence = QStringLiteral("Hello, how are you today? I am reading a book.");

} // namespace

TEST_F(QueuedSpeechTest, NewControlStartsWithDefaultsWhateverAnotherChose)
{
    auto translationWindow = std::make_unique<QueuedSpeech>(worker);
    translationWindow->selectVoice(2);
    translationWindow->selectVoice(7); // not a voice: keeps the male one
    translationWindow->setSpeed(150);
    translationWindow->speak(Sentence);
    QueuedSpeech pronunciationWindow(worker);
    pronunciationWindow.speak(Sentence);
    const auto records = output.recordsWhenFinished(2);
    ASSERT_EQ(records.size(), 2u);

    // Spoken as long and as high as the defaults; the other window's speech faster and lower.
    const int rate = engine.sampleRate();
    const auto reference = engine.synthesize(Sentence, 1, 100);
    const double length = pcm::seconds(reference, rate);
    const double pitch = pcm::fundamentalFrequency(reference, rate);
    EXPECT_NEAR(pcm::seconds(records[1].pcm, rate), length, 0.1 * length);
    EXPECT_NEAR(pcm::fundamentalFrequency(records[1].pcm, rate), pitch, 0.15 * pitch);
    EXPECT_LT(pcm::seconds(records[0].pcm, rate), 0.85 * length);
    EXPECT_LT(pcm::fundamentalFrequency(records[0].pcm, rate), 0.75 * pitch);
}

TEST_F(QueuedSpeechTest, UtterancesKeepCallOrderAcrossControlsAndEmptyTextsSayNothing)
{
    QueuedSpeech first(worker);
    QueuedSpeech second(worker);
    first.setSpeed(170);
    second.setSpeed(170);
    // A press of the translate button: 300 different short words, each spoken on its own,
    // with another window's speech, empty texts and blanks in between.
    QStringList asked;
    for (int i = 0; i < 300; ++i) {
        QString word;
        for (int n : {i % 70, i / 70})
            word +=
                QString(QLatin1Char("bdfgklmnprstvz"[n % 14])) + QLatin1Char("aeiou"[n / 14 % 5]);
        if (i % 100 == 50)
            word = i % 200 == 50 ? QString() : QStringLiteral("   ");
        (i % 7 == 3 ? second : first).speak(word);
        if (!word.isEmpty())
            asked.append(word);
    }
    QStringList spoken;
    for (const auto& record : output.recordsWhenFinished(asked.size()))
        spoken.append(record.utterance.text);
    EXPECT_EQ(spoken, asked);
}

// While the worker is held in the middle of a synthesis, every call of a window's control
// returns (were one to wait for the synthesis, this test would never end).
TEST_F(QueuedSpeechTest, CallsReturnDuringSynthesisAndClosingSilencesOnlyItsOwnSpeech)
{
    output.setHolding(true); // the worker stops at the first piece of PCM
    auto closing = std::make_unique<QueuedSpeech>(worker);
    QueuedSpeech staying(worker);
    closing->speak(Sentence);
    output.recordsWhenFinished(0); // the worker has begun it
    closing->speak(QStringLiteral("never"));
    staying.selectVoice(2);
    staying.setSpeed(170);
    EXPECT_EQ(staying.unavailableReason(), QString());
    staying.speak(QStringLiteral("after"));
    closing->speak(QStringLiteral("nor this"));

    closing.reset();
    output.setHolding(false);
    const auto records = output.recordsWhenFinished(1);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].utterance.text, Sentence);
    EXPECT_FALSE(records[0].finished);
    EXPECT_EQ(records[1].utterance.text, QStringLiteral("after"));
    EXPECT_EQ(records[1].utterance.voice, 2);
    EXPECT_EQ(records[1].utterance.speed, 170);
    EXPECT_GT(pcm::peak(records[1].pcm), 3000);
    EXPECT_EQ(output.dropped(), std::vector<quint64>{records[0].utterance.speaker});
}
