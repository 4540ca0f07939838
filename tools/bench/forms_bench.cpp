// What the fallbacks after the exact lookup cost the program's press, and how much memory the
// program holds after a Czech press. Not a test: run it by hand and read the figures against
// their goals.
//
//   forms_bench [--runs N] [--table FILE] [CZECH_TEXT]
//
// A press is 1024 words of Czech prose (tools/bench/data), with its diacritics and without,
// and its first ten words alone. Each is timed three ways (PressTiming.h): the program's own
// press cold (the first after its window opened and its data were read: the word-form table
// opened afresh) and warm (the same press again), and the same press through the exact lookup
// only, the dictionary data loaded in all three.
#include "PressTiming.h"

#include "dictionary/WordSplitter.h"
#include "language/Folding.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>

namespace
{

const QString Dictionary = QStringLiteral(SLOVNIK_IMPORTED_DICTIONARY "/");
const QString Cze = LetterFile::CzechToEnglish;

constexpr double SentenceGoalMs = 16.0;
constexpr double PeakGoalMiB = 45.0;

// A figure of /proc/self/status in MiB: VmHWM, the peak resident memory so far, or VmRSS.
double statusMiB(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

const char* verdict(bool ok)
{
    return ok ? "within the goal" : "OVER the goal";
}

void comparePresses(const QString& press, const QString& what, const QString& tablePath,
                    HeadIndex& heads, int runs)
{
    const QString sentence = press.section(QLatin1Char(' '), 0, 9);
    PressTimes whole, ten;
    for (int run = 0; run < runs; ++run) {
        timePress(Dictionary, Cze, press, tablePath, heads, whole);
        timePress(Dictionary, Cze, sentence, tablePath, heads, ten);
    }
    const double sentenceMs = median(ten.coldMs);
    const TranslationRun run = translate(Dictionary, Cze, press, nullptr, &heads);
    std::printf("%s, %lld words (%lld of them without an entry as typed), medians of %d runs:\n",
                qUtf8Printable(what), static_cast<long long>(press.count(QLatin1Char(' ')) + 1),
                static_cast<long long>(run.unknown.size()), runs);
    printPressTimes(whole, "  ");
    std::printf("  10-word sentence cold %.2f ms (goal < %.0f ms) %s; exact only %.2f ms\n",
                sentenceMs, SentenceGoalMs, verdict(sentenceMs < SentenceGoalMs),
                median(ten.exactMs));
}

// One typo in each word of five letters or more, at a place drawn with a fixed seed.
void nearCost(const FormTable& table, const QStringList& words)
{
    QRandomGenerator random(5);
    QList<double> times;
    for (const QString& word : words) {
        const QString folded = foldDiacritics(word);
        if (folded.size() < 5 || times.size() >= 500)
            continue;
        QString typo = folded;
        const int at = random.bounded(int(typo.size()) - 1);
        std::swap(typo[at], typo[at + 1]);
        times.append(timed([&] { table.near(typo, Language::Czech, 2); }));
    }
    std::printf("near() of %lld mistyped Czech words: median %.3f ms, slowest %.3f ms\n",
                static_cast<long long>(times.size()), median(times),
                times.isEmpty() ? 0.0 : *std::max_element(times.cbegin(), times.cend()));
}

// In a child: the translation window's text boxes shown, a Czech press with diacritics and
// then without, the result shown; prints the peak memory. "window": no press; "exact": the
// exact lookup only; "program": the program's press over the word-form table.
int peakChild(int argc, char* argv[], const QString& kind, const QString& tablePath,
              const QString& press)
{
    QApplication app(argc, argv);
    QPlainTextEdit input, output;
    input.show();
    output.show();
    QApplication::processEvents();
    if (kind != QLatin1String("window")) {
        const bool program = kind == QLatin1String("program");
        const std::shared_ptr<const FormTable> table =
            program ? FormTable::open(tablePath) : nullptr;
        const auto baseForms = program ? std::make_unique<TableBaseForms>(table) : nullptr;
        HeadIndex heads;
        PhraseFinder phrases;
        for (const QString& text : {press, foldDiacritics(press)}) {
            const TranslationRun run =
                translate(Dictionary, Cze, text, baseForms.get(), &heads, table.get(), &phrases);
            output.setPlainText(run.lines.join(QLatin1Char('\n')));
            QApplication::processEvents();
        }
    }
    std::printf("%.1f %.1f\n", statusMiB("VmHWM:"), statusMiB("VmRSS:"));
    return 0;
}

// The peak and the resident memory at the end of a child's press.
std::pair<double, double> memoryOf(const QString& kind, const QString& tablePath,
                                   const QString& textPath)
{
    QProcess child;
    QStringList env = QProcess::systemEnvironment();
    env.append(QStringLiteral("QT_QPA_PLATFORM=offscreen"));
    child.setEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak"), kind, QStringLiteral("--table"), tablePath, textPath});
    child.waitForFinished(-1);
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    return {figures.value(0).toDouble(), figures.value(1).toDouble()};
}

} // namespace

int main(int argc, char* argv[])
{
    QString textPath = QStringLiteral(SLOVNIK_BENCH_DATA "/handbook-cs.txt");
    QString tablePath = QStringLiteral(SLOVNIK_FORMS_TABLE);
    QString peak;
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, QByteArray(argv[++i]).toInt());
        else if (arg == "--table" && i + 1 < argc)
            tablePath = QString::fromLocal8Bit(argv[++i]);
        else if (arg == "--peak" && i + 1 < argc)
            peak = QString::fromLocal8Bit(argv[++i]);
        else
            textPath = QString::fromLocal8Bit(arg);
    }
    QFile text(textPath);
    if (!text.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s cannot be read\n", qUtf8Printable(textPath));
        return 1;
    }
    const QStringList words = WordSplitter::split(QString::fromUtf8(text.readAll()));
    const QString press = words.mid(0, Module1::MaxWords).join(QLatin1Char(' '));
    if (!peak.isEmpty())
        return peakChild(argc, argv, peak, tablePath, press);

    QCoreApplication app(argc, argv);
    QElapsedTimer opening;
    opening.start();
    const auto table = FormTable::open(tablePath);
    const double openMs = double(opening.nsecsElapsed()) / 1e6;
    if (!table) {
        std::fprintf(stderr, "no word-form table at %s\n", qUtf8Printable(tablePath));
        return 1;
    }
    std::printf("word-form table: %.1f MiB on disk, opened (its indexes read) in %.2f ms\n",
                double(table->size()) / (1024 * 1024), openMs);
    HeadIndex heads;
    loadLetterFiles(Dictionary, heads);
    comparePresses(press, QFileInfo(textPath).fileName(), tablePath, heads, runs);
    comparePresses(foldDiacritics(press),
                   QFileInfo(textPath).fileName() + QStringLiteral(" without diacritics"),
                   tablePath, heads, runs);
    nearCost(*table, words);

    std::printf("memory of a process with the text boxes shown, after a Czech press with and "
                "without diacritics (goal: peak <= %.0f MiB):\n",
                PeakGoalMiB);
    for (const auto& [kind, name] :
         {std::pair{"window", "no press"}, std::pair{"exact", "exact only"},
          std::pair{"program", "the program's press"}}) {
        const auto [peak, resident] = memoryOf(QString::fromLatin1(kind), tablePath, textPath);
        std::printf("  %-24s peak %6.1f MiB %-16s at the end %6.1f MiB\n", name, peak,
                    verdict(peak <= PeakGoalMiB), resident);
    }
    return 0;
}
