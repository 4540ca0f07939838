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

    double secondsOf(const QString& text, int voice, int speed)
    {
        return pcm::seconds(engine.synthesize(text, voice, speed), engine.sampleRate());
    }

    EspeakEngine& engine = EspeakEngine::instance();
};

} // namespace

TEST_F(EspeakEngineTest, HelloIsAudibleAndAsLongAsAWord)
{
    const auto hello = engine.synthesize(QStringLiteral("hello"), 1, 100);
    const double length = pcm::seconds(hello, engine.sampleRate());
    EXPECT_GT(length, 0.25);
    EXPECT_LT(length, 2.0);
    EXPECT_GT(pcm::peak(hello), 3000);
}

TEST_F(EspeakEngineTest, HigherSpeedsSpeakFaster)
{
    const double slow = secondsOf(Sentence, 1, 50);
    const double normal = secondsOf(Sentence, 1, 100);
    const double fast = secondsOf(Sentence, 1, 150);
    const double translation = secondsOf(Sentence, 1, 170);
    EXPECT_LT(fast, 0.6 * slow);
    EXPECT_LT(normal, 0.85 * slow);
    EXPECT_LT(fast, 0.85 * normal);
    EXPECT_LT(translation, fast);

    // Out-of-range speeds are clamped into the engine's range, not errors.
    EXPECT_EQ(speech::wordsPerMinute(100), speech::NormalWordsPerMinute);
    EXPECT_EQ(speech::wordsPerMinute(0), speech::MinWordsPerMinute);
    EXPECT_EQ(speech::wordsPerMinute(-5), speech::MinWordsPerMinute);
    EXPECT_EQ(speech::wordsPerMinute(std::numeric_limits<int>::min()), speech::MinWordsPerMinute);
    EXPECT_EQ(speech::wordsPerMinute(std::numeric_limits<int>::max()), speech::MaxWordsPerMinute);
    EXPECT_NEAR(secondsOf(Sentence, 1, 100000), secondsOf(Sentence, 1, 258), 0.1 * fast);
}

TEST_F(EspeakEngineTest, MaleVoiceIsClearlyLowerThanFemale)
{
    const QString text = QStringLiteral("Hello, how are you today? I am reading a book.");
    const double female = pcm::fundamentalFrequency(engine.synthesize(text, 1, 100), 22050);
    const double male = pcm::fundamentalFrequency(engine.synthesize(text, 2, 100), 22050);
    ASSERT_GT(male, 0);
    EXPECT_GT(female, 1.4 * male) << "female " << female << " Hz, male " << male << " Hz";
    EXPECT_GT(female, 150);
    EXPECT_LT(male, 140);
}

TEST_F(EspeakEngineTest, EmptyAndBlankTextsSayNothingAudible)
{
    EXPECT_TRUE(engine.synthesize(QString(), 1, 100).empty());
    EXPECT_LT(pcm::peak(engine.synthesize(QStringLiteral("     "), 2, 170)), 500);
    EXPECT_LT(pcm::peak(engine.synthesize(QStringLiteral("\t\r\n"), 1, 50)), 500);
    // The engine is still usable afterwards.
    EXPECT_GT(pcm::peak(engine.synthesize(QStringLiteral("yes"), 1, 100)), 3000);
}

TEST_F(EspeakEngineTest, CzechLettersReachTheEngineAsLetters)
{
    // Lost or mis-decoded letters would speak as a question mark or as stray Latin-1 letters.
    const double czech = secondsOf(QString::fromUtf8("dům"), 1, 100);
    EXPECT_GT(czech, 0.2);
    EXPECT_GT(std::abs(czech - secondsOf(QStringLiteral("d?m"), 1, 100)), 0.05);
    EXPECT_GT(std::abs(czech - secondsOf(QString::fromLatin1("d\xc5\xafm"), 1, 100)), 0.05);
}

TEST_F(EspeakEngineTest, ReceiverCanStopALongText)
{
    QString longText;
    for (int i = 0; i < 50; ++i)
        longText += Sentence + QLatin1Char(' ');
    int pieces = 0;
    const bool finished =
        engine.synthesize(longText, 1, 100, [&](const qint16*, int) { return ++pieces < 3; });
    EXPECT_FALSE(finished);
    EXPECT_EQ(pieces, 3);
}
