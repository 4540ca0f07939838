#include "speech/FliteEngine.h"
#include "speech/SpeechSettings.h"
#include "speech/SpeechText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace
{

constexpr int Rate = FliteEngine::SampleRate;

// Median pitch in Hz over the voiced part: 40 ms frames at least a tenth as loud as the
// loudest part whose normalised autocorrelation peaks clearly between 60 and 400 Hz.
double medianPitch(const std::vector<qint16>& pcm)
{
    constexpr int Frame = Rate / 25, MinLag = Rate / 400, MaxLag = Rate / 60;
    const auto magnitude = [](qint16 s) { return std::abs(int(s)); };
    const int top = pcm.empty() ? 0 : magnitude(std::ranges::max(pcm, {}, magnitude));
    std::vector<double> pitches;
    for (size_t start = 0; start + Frame + MaxLag < pcm.size(); start += Frame / 2) {
        const auto dot = [x = pcm.data() + start](int a, int b) {
            double sum = 0;
            for (int i = 0; i < Frame; ++i)
                sum += double(x[i + a]) * x[i + b];
            return sum;
        };
        if (std::sqrt(dot(0, 0) / Frame) < 0.1 * top)
            continue;
        std::pair<double, int> best{0.6, 0}; // below 0.6 the frame is not clearly periodic
        for (int lag = MinLag; lag <= MaxLag; ++lag)
            best = std::max(best, {dot(0, lag) / std::sqrt(dot(0, 0) * dot(lag, lag) + 1e-9), lag});
        if (best.second > 0)
            pitches.push_back(double(Rate) / best.second);
    }
    std::ranges::nth_element(pitches, pitches.begin() + pitches.size() / 2);
    return pitches.empty() ? 0 : pitches[pitches.size() / 2];
}

const QString Sentence = QStringLiteral("The quick brown fox jumps over the lazy dog.");

FliteEngine& engine = FliteEngine::instance();

double secondsOf(const QString& text, int voice = 1, int speed = 100)
{
    return double(engine.synthesize(text, voice, speed).size()) / Rate;
}

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
    const QByteArrayList pieces = speech::utterancePieces(clauses);
    ASSERT_EQ(pieces.size(), 3);
    EXPECT_EQ(pieces.join(' '), clauses.trimmed().toLatin1());
    EXPECT_LE(pieces[0].size(), 64);
    EXPECT_TRUE(pieces[1].endsWith("then,"));
    EXPECT_LE(pieces[2].size(), 160);
}

TEST(FliteEngine, WordsAreSpokenAndBlanksSayNothing)
{
    EXPECT_TRUE(engine.synthesize(QString(), 1, 100).empty());
    EXPECT_TRUE(engine.synthesize(QStringLiteral(" \t\r\n "), 2, 170).empty());
    EXPECT_GT(medianPitch(engine.synthesize(QStringLiteral("hello"), 1, 100)), 100);
    EXPECT_GT(secondsOf(QStringLiteral("hello")), 0.25);
    EXPECT_LT(secondsOf(QStringLiteral("hello")), 2.0);
}

// The voices differ (the female one clearly higher); each speed keeps the pace it always
// had relative to speed 100, within a tenth.
TEST(FliteEngine, VoicesDifferAndSpeedsKeepTheirPace)
{
    const double female = medianPitch(engine.synthesize(Sentence, 1, 100));
    const double male = medianPitch(engine.synthesize(Sentence, 2, 100));
    EXPECT_GT(female, 1.4 * male) << female << " Hz against " << male << " Hz";
    EXPECT_GT(male, 70);

    for (const int voice : {1, 2}) {
        const double normal = secondsOf(Sentence, voice, 100);
        double previous = std::numeric_limits<double>::max();
        for (const auto& [speed, relative] :
             {std::pair{50, 1.94}, {100, 1.0}, {150, 0.69}, {170, 0.61}}) {
            const double seconds = secondsOf(Sentence, voice, speed);
            EXPECT_LT(seconds, previous) << "voice " << voice << " speed " << speed;
            EXPECT_NEAR(seconds / normal, relative, 0.1 * relative) << voice << " " << speed;
            previous = seconds;
        }
    }
    // Any int is a speed: those past the ends are taken as the ends.
    for (const auto& [speed, end] :
         {std::pair{INT_MAX, speech::MaxSpeed}, {INT_MIN, speech::MinSpeed}})
        EXPECT_EQ(speech::paceFor(2, speed).stretch, speech::paceFor(2, end).stretch);
}

TEST(FliteEngine, ReceiverCanStopALongText)
{
    const QString longText = (Sentence + QLatin1Char(' ')).repeated(50);
    int pieces = 0;
    EXPECT_FALSE(
        engine.synthesize(longText, 1, 100, [&](const qint16*, int) { return ++pieces < 3; }));
    EXPECT_EQ(pieces, 3);
}
