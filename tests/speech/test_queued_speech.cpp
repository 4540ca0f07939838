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

// A speech output that notes every utterance and how many samples it got instead of playing
// it, for the test to read while the worker's thread writes.
class RecordingOutput final : public SpeechOutput
{
  public:
    struct Record {
        Utterance utterance;
        qsizetype samples = 0;
        bool finished = false;
        bool dropped = false;
    };

    void begin(const Utterance& u) override
    {
        change([&] { m_records.push_back({u}); });
    }
    void append(quint64, const qint16*, int n) override
    {
        change([&] { m_records.back().samples += n; });
    }
    void end(quint64) override
    {
        change([&] { m_records.back().finished = true; });
    }
    void drop(quint64 speaker) override
    {
        change([&] {
            for (Record& r : m_records)
                r.dropped = r.dropped || r.utterance.speaker == speaker;
        });
    }
    double secondsAhead() const override
    {
        std::lock_guard lock(m_mutex);
        return m_holding ? 1e9 : 0.0;
    }

    // While holding, the output claims to be far ahead, so the worker holds synthesis back.
    void setHolding(bool hold)
    {
        change([&] { m_holding = hold; });
    }
    // Waits (at most 60 s) until an utterance has begun and `count` have finished; returns a
    // copy of the records.
    std::vector<Record> recordsWhenFinished(qsizetype count)
    {
        std::unique_lock lock(m_mutex);
        EXPECT_TRUE(m_changed.wait_for(lock, std::chrono::seconds(60), [&] {
            return !m_records.empty() &&
                   std::ranges::count(m_records, true, &Record::finished) >= count;
        }));
        return m_records;
    }

  private:
    template <typename Change> void change(Change apply)
    {
        {
            std::lock_guard lock(m_mutex);
            apply();
        }
        m_changed.notify_all();
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Record> m_records;
    bool m_holding = false;
};

// Speech controls on a worker that records what it synthesises.
class QueuedSpeechTest : public testing::Test
{
  protected:
    std::unique_ptr<RecordingOutput> recording = std::make_unique<RecordingOutput>();
    RecordingOutput& output = *recording; // the worker owns it and outlives every use here
    std::shared_ptr<SpeechWorker> worker =
        std::make_shared<SpeechWorker>(std::move(recording), FliteEngine::instance());
};

const QString Sentence = QStringLiteral("Hello, how are you today? I am reading a book.");

} // namespace

// Each window's control keeps its own voice and speed (a new one starts with the defaults
// whatever another chose), and what all of them say is spoken in call order.
TEST_F(QueuedSpeechTest, ControlsKeepTheirOwnSettingsAndCallOrder)
{
    QueuedSpeech translation(worker);
    translation.selectVoice(2);
    translation.selectVoice(7); // not a voice: keeps the male one
    translation.setSpeed(170);
    QueuedSpeech pronunciation(worker);
    // A press of the translate button: 200 different short words, each spoken on its own,
    // with the other window's speech, empty texts and blanks in between.
    QStringList asked;
    for (int i = 0; i < 200; ++i) {
        QString word = QStringLiteral("word%1").arg(i);
        if (i % 100 == 50)
            word = i == 50 ? QString() : QStringLiteral("   ");
        (i % 7 == 3 ? pronunciation : translation).speak(word);
        if (!word.isEmpty())
            asked << word + QLatin1String(i % 7 == 3 ? " 1 100" : " 2 170");
    }
    QStringList spoken;
    for (const auto& [u, samples, finished, dropped] : output.recordsWhenFinished(asked.size()))
        spoken << u.text + QStringLiteral(" %1 %2").arg(u.voice).arg(u.speed);
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
    staying.unavailableReason();
    staying.speak(QStringLiteral("after"));
    closing->speak(QStringLiteral("nor this"));

    closing.reset();
    output.setHolding(false);
    const auto records = output.recordsWhenFinished(1);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].utterance.text, Sentence);
    EXPECT_FALSE(records[0].finished);
    EXPECT_EQ(records[1].utterance.text, QStringLiteral("after"));
    EXPECT_GT(records[1].samples, 1000);
    EXPECT_TRUE(records[0].dropped);
}
