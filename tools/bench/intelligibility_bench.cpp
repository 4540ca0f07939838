// How well a listener trained on human speech follows the program's voices: English sentences
// (data/speech-sentences-en.txt) are synthesised through the program's engine with each voice
// at each speed, and the same sentences by espeak-ng at the rates of the program's earlier
// engine; each set is trimmed of silence, made 16 kHz mono and joined with short pauses (sox),
// and given to a speech recogniser built from human speech (pocketsphinx_continuous with its
// US English model). Prints the word error rate of each, the spoken seconds, how each speed's
// length relates to speed 100's (Flite's against espeak-ng's), and how fast Flite made them. Needs
// sox, pocketsphinx, pocketsphinx-en-us and espeak-ng: run it through tools/bench/intelligibility,
// which installs them. Usage: intelligibility_bench [sentences file] [--keep directory]
// [--durations]
//                              [--try voice:stretch:gap:pausescale]...
// (--durations: only the spoken seconds, without the recogniser; --try: instead of the speeds,
// Flite alone at these paces, see speech::Pace, to compare ways of speaking slower or faster)

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
#include <optional>
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
    std::optional<speech::Pace> pace; // instead of the speed's
    QString joined;
    double spokenSeconds = 0;
    double synthesisSeconds = 0;
    double synthesisCpuSeconds = 0; // the synthesising thread's own processor time
    QString heard;
    QString failure;

    QString name() const
    {
        const QString how = pace ? QStringLiteral("pace%1-%2-%3")
                                       .arg(pace->stretch)
                                       .arg(pace->wordGap)
                                       .arg(pace->pauseScale)
                                 : QStringLiteral("speed%1").arg(speed);
        return QStringLiteral("%1-voice%2-%3")
            .arg(flite ? QStringLiteral("flite") : QStringLiteral("espeak"))
            .arg(voice)
            .arg(how);
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
            std::vector<qint16> pcm;
            engine.synthesize(sentences[i], c.voice,
                              c.pace.value_or(speech::paceFor(c.voice, c.speed)),
                              [&pcm](const qint16* samples, int count) {
                                  pcm.insert(pcm.end(), samples, samples + count);
                                  return true;
                              });
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
    std::vector<Condition> tries;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--durations")
            recognising = false;
        else if (QByteArray(argv[i]) == "--try" && i + 1 < argc) {
            const QList<QByteArray> fields = QByteArray(argv[++i]).split(':');
            if (fields.size() != 4) {
                std::fprintf(stderr, "--try wants voice:stretch:gap:pausescale\n");
                return 1;
            }
            Condition c;
            std::tie(c.flite, c.voice, c.speed) = std::tuple(true, fields[0].toInt(), 0);
            c.pace = speech::Pace{fields[1].toDouble(), fields[2].toDouble(), fields[3].toDouble()};
            tries.push_back(c);
        } else if (QByteArray(argv[i]) == "--keep" && i + 1 < argc)
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

    std::vector<Condition> conditions = tries;
    for (const bool flite : {true, false}) {
        if (!tries.empty())
            break;
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
    const auto wer = [&](const Condition& c) {
        return 100.0 * editDistance(reference, words(c.heard)) / reference.size();
    };
    if (!tries.empty()) {
        std::printf("voice  stretch  word gap s  pause scale   WER      seconds\n");
        for (const Condition& c : conditions) {
            if (!c.failure.isEmpty())
                std::fprintf(stderr, "%s: %s\n", qPrintable(c.name()), qPrintable(c.failure));
            std::printf("%d      %5.2f    %5.2f       %5.2f       %5.1f %%  %7.1f\n", c.voice,
                        c.pace->stretch, c.pace->wordGap, c.pace->pauseScale, wer(c),
                        c.spokenSeconds);
        }
        return 0;
    }
    std::printf("voice   speed  Flite WER  espeak-ng WER  goal     Flite s (/ at 100)  "
                "espeak-ng s (/ at 100)  relation kept  Flite synthesis: x real time (on its "
                "own processor time)\n");
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
        const int goal = f.speed == 100 || f.speed == 170 ? 10 : 20;
        // Each voice's speeds are listed together, 100 second.
        const size_t normal = i - i % std::size(Speeds) + 1;
        const double flite = f.spokenSeconds / conditions[normal].spokenSeconds;
        const double espeak = e.spokenSeconds / conditions[normal + half].spokenSeconds;
        std::printf("%d %-6s %3d   %6.1f %%   %8.1f %%    <= %2d %%  %7.1f (%4.2f)     %7.1f "
                    "(%4.2f)          %+5.1f %%       %4.0fx (%3.0fx)\n",
                    f.voice, f.voice == 1 ? "female" : "male", f.speed, wer(f), wer(e), goal,
                    f.spokenSeconds, flite, e.spokenSeconds, espeak, 100.0 * (flite / espeak - 1),
                    f.spokenSeconds / f.synthesisSeconds, f.spokenSeconds / f.synthesisCpuSeconds);
    }
    if (!keep.isEmpty())
        std::printf("recordings kept in %s\n", qPrintable(keep));
    return failed ? 1 : 0;
}
