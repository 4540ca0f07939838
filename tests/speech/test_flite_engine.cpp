#include "PcmAnalysis.h"
#include "speech/FliteEngine.h"
#include "speech/SpeechSettings.h"
#include "speech/SpeechText.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

const QString Sentence = QStringLiteral("The quick brown fox jumps over the lazy dog.");

class FliteEngineTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(engine.available()) << engine.unavailableReason().toStdString();
    }

    double secondsOf(const QString& text, int voice = 1, int speed = 100)
    {
        return pcm::seconds(engine.synthesize(text, voice, speed), engine.sampleRate());
    }

    FliteEngine& engine = FliteEngine::instance();
};

} // namespace

TEST(SpeechText, PiecesArePlainSentencesShortEnoughToStartQuickly)
{
    const std::pair<QString, QByteArrayList> cases[] = {
        {QStringLiteral(" \t\r\n "), {}},
        {QString::fromUtf8("Dům, „kůň“ – don’t… ﬁne."), {"Dum, \"kun\" - don't... fine."}},
        {QStringLiteral("One. Two?  Three"), {"One.", "Two?", "Three"}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(speech::utterancePieces(text), expected) << text.toStdString();
    // A long sentence is cut after a clause mark where it has one, else between words; the
    // first piece of a text is kept shorter, so that its sound starts soon.
    const QString word = QStringLiteral("word ");
    const QString clauses = word.repeated(20) + QStringLiteral("then, ") + word.repeated(30);
    for (const QString& text : {clauses, word.repeated(70)}) {
        const QByteArrayList pieces = speech::utterancePieces(text);
        ASSERT_GT(pieces.size(), 2);
        EXPECT_EQ(pieces.join(' '), text.trimmed().toLatin1());
        EXPECT_LE(pieces.front().size(), 64);
        for (const QByteArray& piece : pieces)
            EXPECT_LE(piece.size(), 160);
    }
    EXPECT_TRUE(speech::utterancePieces(clauses)[1].endsWith("then,"));
}

TEST_F(FliteEngineTest, WordsAndCzechLettersAreSpokenAndBlanksSayNothing)
{
    EXPECT_TRUE(engine.synthesize(QString(), 1, 100).empty());
    EXPECT_TRUE(engine.synthesize(QStringLiteral(" \t\r\n "), 2, 170).empty());
    const auto hello = engine.synthesize(QStringLiteral("hello"), 1, 100);
    EXPECT_GT(pcm::peak(hello), 3000);
    EXPECT_GT(pcm::seconds(hello, engine.sampleRate()), 0.25);
    EXPECT_LT(pcm::seconds(hello, engine.sampleRate()), 2.0);
    // Czech letters are read like their base letters, not spelt out or skipped.
    EXPECT_NEAR(secondsOf(QString::fromUtf8("dům")), secondsOf(QStringLiteral("dum")), 0.03);
}

// The voices differ (the female one clearly higher); each speed keeps the pace it always
// had relative to speed 100, within a tenth.
TEST_F(FliteEngineTest, VoicesDifferAndSpeedsKeepTheirPace)
{
    const int rate = engine.sampleRate();
    const double female = pcm::fundamentalFrequency(engine.synthesize(Sentence, 1, 100), rate);
    const double male = pcm::fundamentalFrequency(engine.synthesize(Sentence, 2, 100), rate);
    EXPECT_GT(female, 1.4 * male) << female << " Hz against " << male << " Hz";
    EXPECT_GT(male, 70);

    for (const int voice : {1, 2}) {
        const double normal = secondsOf(Sentence, voice, 100);
        double previous = std::numeric_limits<double>::max();
        for (const auto& [speed, relative] :
             {std::pair{50, 2.08}, {100, 1.0}, {150, 0.64}, {170, 0.555}}) {
            const double seconds = secondsOf(Sentence, voice, speed);
            EXPECT_LT(seconds, previous) << "voice " << voice << " speed " << speed;
            EXPECT_NEAR(seconds / normal, relative, 0.1 * relative) << voice << " " << speed;
            previous = seconds;
        }
    }
    // Any int is a speed: those past the ends are taken as the ends.
    EXPECT_EQ(speech::durationStretch(1, std::numeric_limits<int>::max()),
              speech::durationStretch(1, speech::MaxSpeed));
    EXPECT_EQ(speech::durationStretch(2, std::numeric_limits<int>::min()),
              speech::durationStretch(2, speech::MinSpeed));
}

TEST_F(FliteEngineTest, ReceiverCanStopALongText)
{
    const QString longText = (Sentence + QLatin1Char(' ')).repeated(50);
    int pieces = 0;
    EXPECT_FALSE(
        engine.synthesize(longText, 1, 100, [&](const qint16*, int) { return ++pieces < 3; }));
    EXPECT_EQ(pieces, 3);
}
