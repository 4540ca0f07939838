// How well a listener trained on human speech follows the program's voices: English sentences
// (data/speech-sentences-en.txt) are synthesised through the program's engine with each voice
// at each speed, and the same sentences by espeak-ng at the rates of the program's earlier
// engine; each set is trimmed of silence, made 16 kHz mono and joined with short pauses (sox),
// and given to a speech recogniser built from human speech (pocketsphinx_continuous with its
// US English model). Prints the word error rate of each, the spoken seconds, and how fast
// Flite made them. Needs sox, pocketsphinx, pocketsphinx-en-us and espeak-ng: run it through
// tools/bench/intelligibility, which installs them.
// Usage: intelligibility_bench [sentences file] [--keep directory] [--durations]
// (--durations: only the spoken seconds, without the recogniser)

#include "WavFile.h"
#include "speech/FliteEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <tuple>
#include <vector>

#include <time.h>

namespace
{

constexpr int Speeds[] = {50, 100, 150, 170};

// One engine, voice and speed: its sentences, joined into one recording.
struct Condition {
    bool flite;
    int voice;
    int speed;
    QString joined;
    double spokenSeconds = 0;
    double synthesisSeconds = 0;
    double synthesisCpuSeconds = 0; // the synthesising thread's own processor time
    QString heard;
    QString failure;

    QString name() const
    {
        return QStringLiteral("%1-voice%2-speed%3")
            .arg(flite ? QStringLiteral("flite") : QStringLiteral("espeak"))
            .arg(voice)
            .arg(speed);
    }
};

// Runs a program to its end; its standard output, or an empty string and `failure` set.
QString run(const QString& program, const QStringList& arguments, QString* failure)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *failure = QStringLiteral("%1 failed: %2 %3")
                       .arg(program, process.errorString(),
                            QString::fromLocal8Bit(process.readAllStandardError()).left(300));
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The words of a text as the recogniser writes them: lower case, no punctuation.
QStringList words(const QString& text)
{
    static const QRegularExpression notWord(QStringLiteral("[^a-z']+"));
    return text.toLower().split(notWord, Qt::SkipEmptyParts);
}

// Substitutions, deletions and insertions that turn `reference` into `heard`.
int editDistance(const QStringList& reference, const QStringList& heard)
{
    std::vector<int> row(heard.size() + 1);
    for (qsizetype j = 0; j <= heard.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= reference.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= heard.size(); ++j) {
            const int above = row[j];
            row[j] = std::min(
                {above + 1, row[j - 1] + 1, diagonal + (reference[i - 1] == heard[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[heard.size()];
}

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double wavSeconds(const QString& path)
{
    constexpr qint64 HeaderBytes = 44; // sox writes plain 16-bit PCM with the short header
    return double(QFileInfo(path).size() - HeaderBytes) / (16000 * 2);
}

// Makes the condition's joined recording in `folder`.
void synthesise(Condition& c, const QStringList& sentences, const QDir& folder)
{
    FliteEngine& engine = FliteEngine::instance();
    const QString pause = folder.filePath(QStringLiteral("pause.wav"));
    QStringList parts;
    for (qsizetype i = 0; i < sentences.size() && c.failure.isEmpty(); ++i) {
        const QString raw = folder.filePath(QStringLiteral("%1-%2.wav").arg(c.name()).arg(i));
        if (c.flite) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = threadCpuSeconds();
            const std::vector<qint16> pcm = engine.synthesize(sentences[i], c.voice, c.speed);
            c.synthesisSeconds +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            c.synthesisCpuSeconds += threadCpuSeconds() - cpuStart;
            if (pcm.empty() || !writeWav(raw, pcm, engine.sampleRate()))
                c.failure = QStringLiteral("no speech for: ") + sentences[i];
        } else {
            // The earlier engine's voices and rates: a percentage of 175 words a minute.
            const int wpm = std::clamp((c.speed * 175 + 50) / 100, 80, 450);
            run(QStringLiteral("espeak-ng"),
                {QStringLiteral("-v"),
                 c.voice == 2 ? QStringLiteral("en+m3") : QStringLiteral("en+f3"),
                 QStringLiteral("-s"), QString::number(wpm), QStringLiteral("-w"), raw,
                 sentences[i]},
                &c.failure);
        }
        const QString trimmed = raw.chopped(4) + QStringLiteral("-16k.wav");
        run(QStringLiteral("sox"),
            {raw, QStringLiteral("-r"), QStringLiteral("16000"), QStringLiteral("-c"),
             QStringLiteral("1"), QStringLiteral("-b"), QStringLiteral("16"), trimmed,
             QStringLiteral("silence"), QStringLiteral("1"), QStringLiteral("0.02"),
             QStringLiteral("0.5%"), QStringLiteral("reverse"), QStringLiteral("silence"),
             QStringLiteral("1"), QStringLiteral("0.02"), QStringLiteral("0.5%"),
             QStringLiteral("reverse")},
            &c.failure);
        c.spokenSeconds += wavSeconds(trimmed);
        parts << trimmed << pause;
    }
    c.joined = folder.filePath(c.name() + QStringLiteral(".wav"));
    if (c.failure.isEmpty())
        run(QStringLiteral("sox"), parts << c.joined, &c.failure);
}

} // namespace

int main(int argc, char** argv)
{
    QString sentencesFile = QStringLiteral(SLOVNIK_BENCH_DATA "/speech-sentences-en.txt");
    QString keep;
    bool recognising = true;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--durations")
            recognising = false;
        else if (QByteArray(argv[i]) == "--keep" && i + 1 < argc)
            keep = QString::fromLocal8Bit(argv[++i]);
        else
            sentencesFile = QString::fromLocal8Bit(argv[i]);
    }
    QFile file(sentencesFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(sentencesFile));
        return 1;
    }
    QStringList sentences;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!line.trimmed().isEmpty())
            sentences << line.trimmed();
    }
    QTemporaryDir temporary;
    const QDir folder(keep.isEmpty() ? temporary.path() : keep);
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder.path()));
        return 1;
    }
    QString failure;
    run(QStringLiteral("sox"),
        {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("16000"), QStringLiteral("-c"),
         QStringLiteral("1"), QStringLiteral("-b"), QStringLiteral("16"),
         folder.filePath(QStringLiteral("pause.wav")), QStringLiteral("trim"), QStringLiteral("0"),
         QStringLiteral("0.5")},
        &failure);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return 1;
    }

    std::vector<Condition> conditions;
    for (const bool flite : {true, false}) {
        for (const int voice : {1, 2}) {
            for (const int speed : Speeds) {
                Condition c;
                std::tie(c.flite, c.voice, c.speed) = std::tuple(flite, voice, speed);
                conditions.push_back(c);
            }
        }
    }
    for (Condition& c : conditions)
        synthesise(c, sentences, folder);

    // The recogniser is the slow part: two at a time, as the machine has two cores.
    std::atomic_size_t next = 0;
    const auto recognise = [&] {
        for (size_t i = next++; i < conditions.size(); i = next++) {
            Condition& c = conditions[i];
            if (c.failure.isEmpty() && recognising)
                c.heard = run(QStringLiteral("pocketsphinx_continuous"),
                              {QStringLiteral("-infile"), c.joined, QStringLiteral("-logfn"),
                               QStringLiteral("/dev/null")},
                              &c.failure);
        }
    };
    std::thread helper(recognise);
    recognise();
    helper.join();

    QStringList reference;
    for (const QString& sentence : sentences)
        reference << words(sentence);
    std::printf("%lld sentences, %lld words; word error rate of pocketsphinx on each voice\n",
                qint64(sentences.size()), qint64(reference.size()));
    std::printf("voice   speed  Flite WER  espeak-ng WER  goal     Flite s  espeak-ng s  ratio  "
                "Flite synthesis: x real time (on its own processor time)\n");
    const size_t half = conditions.size() / 2;
    bool failed = false;
    for (size_t i = 0; i < half; ++i) {
        const Condition& f = conditions[i];
        const Condition& e = conditions[i + half];
        for (const Condition* c : {&f, &e}) {
            if (!c->failure.isEmpty()) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(c->name()), qPrintable(c->failure));
                failed = true;
            }
        }
        const auto wer = [&](const Condition& c) {
            return 100.0 * editDistance(reference, words(c.heard)) / reference.size();
        };
        const int goal = f.speed == 100 || f.speed == 170 ? 10 : 20;
        std::printf("%d %-6s %3d   %6.1f %%   %8.1f %%    <= %2d %%  %7.1f  %9.1f   %5.2f  %4.0fx "
                    "(%3.0fx)\n",
                    f.voice, f.voice == 1 ? "female" : "male", f.speed, wer(f), wer(e), goal,
                    f.spokenSeconds, e.spokenSeconds, f.spokenSeconds / e.spokenSeconds,
                    f.spokenSeconds / f.synthesisSeconds, f.spokenSeconds / f.synthesisCpuSeconds);
    }
    if (!keep.isEmpty())
        std::printf("recordings kept in %s\n", qPrintable(keep));
    return failed ? 1 : 0;
}
