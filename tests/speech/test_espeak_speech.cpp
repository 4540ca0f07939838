#include "PcmAnalysis.h"
#include "RecordingOutput.h"
#include "speech/EspeakEngine.h"
#include "speech/EspeakSpeech.h"
#include "speech/SpeechWorker.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>

namespace
{

// Speech controls on a worker that records what it synthesises.
class EspeakSpeechTest : public testing::Test
{
  protected:
    std::shared_ptr<SpeechLog> log = std::make_shared<SpeechLog>();
    EspeakEngine& engine = EspeakEngine::instance();
    std::shared_ptr<SpeechWorker> worker =
        std::make_shared<SpeechWorker>(std::make_unique<RecordingOutput>(log), engine);

    bool waitForFinished(size_t count)
    {
        return log->waitUntil([&] {
            return std::count_if(log->records.begin(), log->records.end(),
                                 [](const auto& r) { return r.finished; }) >= qsizetype(count);
        });
    }

    QStringList spokenTexts()
    {
        QStringList texts;
        for (const auto& record : log->snapshot())
            texts.append(record.utterance.text);
        return texts;
    }
};

const QString Sentence = QStringLiteral("Hello, how are you today? I am reading a book.");

QString syllable(int n)
{
    return QString(QLatin1Char("bdfgklmnprstvz"[n % 14])) + QLatin1Char("aeiou"[n / 14 % 5]);
}

} // namespace

TEST_F(EspeakSpeechTest, NewControlStartsWithDefaultsWhateverAnotherChose)
{
    auto translationWindow = std::make_unique<EspeakSpeech>(worker);
    translationWindow->selectVoice(2);
    translationWindow->setSpeed(150);
    translationWindow->speak(Sentence);
    EspeakSpeech pronunciationWindow(worker);
    pronunciationWindow.speak(Sentence);
    ASSERT_TRUE(waitForFinished(2));

    const auto records = log->snapshot();
    EXPECT_EQ(records[0].utterance.voice, 2);
    EXPECT_EQ(records[0].utterance.speed, 150);
    EXPECT_EQ(records[1].utterance.voice, 1);
    EXPECT_EQ(records[1].utterance.speed, 100);

    // And the engine really spoke it that way: as long and as high as the defaults.
    const int rate = engine.sampleRate();
    const auto reference = engine.synthesize(Sentence, 1, 100);
    const double expectedLength = pcm::seconds(reference, rate);
    const double expectedPitch = pcm::fundamentalFrequency(reference, rate);
    EXPECT_NEAR(pcm::seconds(records[1].pcm, rate), expectedLength, 0.1 * expectedLength);
    EXPECT_NEAR(pcm::fundamentalFrequency(records[1].pcm, rate), expectedPitch,
                0.15 * expectedPitch);
    EXPECT_LT(pcm::seconds(records[0].pcm, rate), 0.85 * expectedLength);
    EXPECT_LT(pcm::fundamentalFrequency(records[0].pcm, rate), 0.75 * expectedPitch);
}

TEST_F(EspeakSpeechTest, SettingsApplyToTheSpeakCallsAfterThem)
{
    EspeakSpeech speech(worker);
    speech.speak(QStringLiteral("one"));
    speech.setSpeed(50);
    speech.speak(QStringLiteral("two"));
    speech.selectVoice(2);
    speech.selectVoice(7); // not a voice: keeps the male one
    speech.setSpeed(170);
    speech.speak(QStringLiteral("three"));
    speech.selectVoice(0);
    speech.setSpeed(-3); // clamped by the engine, kept as given
    speech.speak(QStringLiteral("four"));
    ASSERT_TRUE(waitForFinished(4));

    const auto records = log->snapshot();
    const std::vector<std::pair<int, int>> expected = {{1, 100}, {1, 50}, {2, 170}, {2, -3}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(records[i].utterance.voice, expected[i].first) << i;
        EXPECT_EQ(records[i].utterance.speed, expected[i].second) << i;
        EXPECT_GT(pcm::peak(records[i].pcm), 3000) << i;
    }
}

TEST_F(EspeakSpeechTest, UtterancesKeepCallOrderAcrossControls)
{
    EspeakSpeech first(worker);
    EspeakSpeech second(worker);
    first.setSpeed(170);
    second.setSpeed(170);
    QStringList asked;
    // A whole press of the translate button: 1024 different short words, each spoken on its
    // own, with another window's speech in between.
    for (int i = 0; i < 1024; ++i) {
        const QString word = syllable(i % 70) + syllable(i / 70);
        (i % 7 == 3 ? second : first).speak(word);
        asked.append(word);
    }
    ASSERT_TRUE(waitForFinished(asked.size()));
    EXPECT_EQ(spokenTexts(), asked);
}

TEST_F(EspeakSpeechTest, EmptyTextSaysNothingAndBlanksDoNotStopTheQueue)
{
    EspeakSpeech speech(worker);
    speech.speak(QString());
    speech.speak(QStringLiteral(""));
    speech.speak(QStringLiteral("   "));
    speech.speak(QStringLiteral("end"));
    ASSERT_TRUE(waitForFinished(2));
    EXPECT_EQ(spokenTexts(), QStringList({QStringLiteral("   "), QStringLiteral("end")}));
    EXPECT_GT(pcm::peak(log->snapshot()[1].pcm), 3000);
}

TEST_F(EspeakSpeechTest, ClosingAWindowSilencesOnlyItsOwnSpeech)
{
    log->setHolding(true); // the worker stops after the first piece of PCM
    auto closing = std::make_unique<EspeakSpeech>(worker);
    EspeakSpeech staying(worker);
    closing->speak(Sentence);
    ASSERT_TRUE(
        log->waitUntil([&] { return !log->records.empty() && !log->records[0].pcm.empty(); }));
    closing->speak(QStringLiteral("never"));
    staying.speak(QStringLiteral("after"));
    closing->speak(QStringLiteral("nor this"));

    closing.reset();
    log->setHolding(false);
    ASSERT_TRUE(waitForFinished(1));

    const auto records = log->snapshot();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].utterance.text, Sentence);
    EXPECT_FALSE(records[0].finished);
    EXPECT_EQ(records[1].utterance.text, QStringLiteral("after"));
    EXPECT_TRUE(records[1].finished);
    std::lock_guard lock(log->mutex);
    EXPECT_EQ(log->dropped, std::vector<quint64>{records[0].utterance.speaker});
}
