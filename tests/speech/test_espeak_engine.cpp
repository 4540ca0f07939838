#include "PcmAnalysis.h"
#include "speech/EspeakEngine.h"
#include "speech/SpeechSettings.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

const QString Sentence = QStringLiteral("The quick brown fox jumps over the lazy dog.");

class EspeakEngineTest : public testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(engine.available()) << "espeak-ng did not start"; }

    double secondsOf(const QString& text, int voice = 1, int speed = 100)
    {
        return pcm::seconds(engine.synthesize(text, voice, speed), engine.sampleRate());
    }

    EspeakEngine& engine = EspeakEngine::instance();
};

} // namespace

TEST_F(EspeakEngineTest, WordsAndCzechLettersAreSpokenAndBlanksSayNothing)
{
    EXPECT_TRUE(engine.synthesize(QString(), 1, 100).empty());
    EXPECT_LT(pcm::peak(engine.synthesize(QStringLiteral(" \t\r\n "), 2, 170)), 500);
    // The engine is still usable afterwards.
    const auto hello = engine.synthesize(QStringLiteral("hello"), 1, 100);
    EXPECT_GT(pcm::peak(hello), 3000);
    EXPECT_GT(pcm::seconds(hello, engine.sampleRate()), 0.25);
    EXPECT_LT(pcm::seconds(hello, engine.sampleRate()), 2.0);
    // Czech letters reach the engine as letters, which the English voice speaks like their
    // base letters: not as a question mark, nor as stray Latin-1 letters of their UTF-8 bytes.
    EXPECT_NEAR(secondsOf(QString::fromUtf8("dům")), secondsOf(QStringLiteral("dum")), 0.03);
}

TEST_F(EspeakEngineTest, HigherSpeedsSpeakFaster)
{
    const double slow = secondsOf(Sentence, 1, 50);
    const double normal = secondsOf(Sentence, 1, 100);
    const double fast = secondsOf(Sentence, 1, 150);
    EXPECT_LT(fast, 0.6 * slow);
    EXPECT_LT(normal, 0.85 * slow);
    EXPECT_LT(fast, 0.85 * normal);
    // Any int is a speed: large ones are clamped, not overflowed.
    for (const int speed : {20'000'000, std::numeric_limits<int>::max()})
        EXPECT_EQ(speech::wordsPerMinute(speed), speech::MaxWordsPerMinute) << speed;
}

TEST_F(EspeakEngineTest, ReceiverCanStopALongText)
{
    const QString longText = (Sentence + QLatin1Char(' ')).repeated(50);
    int pieces = 0;
    EXPECT_FALSE(
        engine.synthesize(longText, 1, 100, [&](const qint16*, int) { return ++pieces < 3; }));
    EXPECT_EQ(pieces, 3);
}
