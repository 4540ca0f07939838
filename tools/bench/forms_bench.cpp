// What the base forms and the word-form table cost a press, beside the press as typed, and
// how much memory the program holds after a Czech press: with Hunspell at run time (BaseForms)
// and with the word-form table alone (TableBaseForms). Not a test: run it by hand and read
// the figures against their goals.
//
//   forms_bench [--runs N] [--table FILE] [CZECH_TEXT]
//
// A press is 1024 words of Czech prose (tools/bench/data), with its diacritics and without.
// Cold: the first press of a fresh source whose data is loaded (Hunspell's dictionary read,
// the table mapped); warm: the same press again. Each press also asks the table for the
// folded and the near head words of every word still not found, as the lookup chain does.
#include "Timing.h"
#include "TranslationRun.h"

#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "dictionary/WordSplitter.h"
#include "language/BaseForms.h"
#include "language/Folding.h"
#include "language/FormTable.h"
#include "language/TableBaseForms.h"

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

constexpr double ColdOverWarmGoal = 2.0;
constexpr double ColdOverExactGoal = 3.0;
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

// The fallbacks of the words a press left not found, as the lookup chain asks for them.
void askTable(const FormTable& table, const TranslationRun& run)
{
    for (const QString& word : run.unknown) {
        if (table.folded(word, Language::Czech, 2).isEmpty())
            table.near(word, Language::Czech, 2);
    }
}

struct Source {
    const char* name;
    std::function<std::unique_ptr<BaseFormSource>()> make; // data loaded when it returns
};

void comparePresses(const QString& press, const QString& what, const QString& tablePath,
                    const QList<Source>& sources, int runs)
{
    HeadIndex kept;
    kept.beginPass();
    for (char letter = 'a'; letter <= 'z'; ++letter)
        kept.translationsOf(Dictionary + QLatin1Char(letter) + Cze, {});
    const QString sentence = press.section(QLatin1Char(' '), 0, 9);

    std::printf("%s, %lld words:\n", qUtf8Printable(what),
                static_cast<long long>(press.count(QLatin1Char(' ')) + 1));
    QList<double> exact;
    for (int run = 0; run < runs; ++run)
        exact.append(timed([&] { translate(Dictionary, Cze, press, nullptr, &kept); }));
    const double exactMs = median(exact);
    std::printf("  %-34s %7.1f ms\n", "as typed only", exactMs);
    for (const Source& source : sources) {
        QList<double> cold, warm, sentenceCold, baseFormsCold;
        qsizetype notFound = 0;
        for (int run = 0; run < runs; ++run) {
            {
                const auto table = FormTable::open(tablePath);
                const auto baseForms = source.make();
                cold.append(timed([&] {
                    askTable(*table, translate(Dictionary, Cze, press, baseForms.get(), &kept));
                }));
                warm.append(timed([&] {
                    const TranslationRun r =
                        translate(Dictionary, Cze, press, baseForms.get(), &kept);
                    askTable(*table, r);
                    notFound = r.unknown.size();
                }));
            }
            {
                const auto baseForms = source.make();
                baseFormsCold.append(
                    timed([&] { translate(Dictionary, Cze, press, baseForms.get(), &kept); }));
            }
            const auto table = FormTable::open(tablePath);
            const auto baseForms = source.make();
            sentenceCold.append(timed([&] {
                askTable(*table, translate(Dictionary, Cze, sentence, baseForms.get(), &kept));
            }));
        }
        const double coldMs = median(cold), warmMs = median(warm),
                     sentenceMs = median(sentenceCold);
        const auto verdict = [](bool ok) { return ok ? "within the goal" : "OVER the goal"; };
        std::printf("  %s (%lld words left not found):\n", source.name,
                    static_cast<long long>(notFound));
        std::printf("    cold %7.1f ms, warm %7.1f ms: cold/warm %.2fx (goal <= %.0fx) %s\n",
                    coldMs, warmMs, coldMs / warmMs, ColdOverWarmGoal,
                    verdict(coldMs <= ColdOverWarmGoal * warmMs));
        std::printf("    cold/as typed %.2fx (goal <= %.0fx) %s\n", coldMs / exactMs,
                    ColdOverExactGoal, verdict(coldMs <= ColdOverExactGoal * exactMs));
        std::printf("    (of it the base forms alone, cold: %.1f ms, %.2fx the press as typed)\n",
                    median(baseFormsCold), median(baseFormsCold) / exactMs);
        std::printf("    10-word sentence cold %.2f ms (goal < %.0f ms) %s\n", sentenceMs,
                    SentenceGoalMs, verdict(sentenceMs < SentenceGoalMs));
    }
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
// without through the given source, the result shown; prints the peak memory.
int peakChild(int argc, char* argv[], const QString& kind, const QString& tablePath,
              const QString& press)
{
    QApplication app(argc, argv);
    QPlainTextEdit input, output;
    input.show();
    output.show();
    QApplication::processEvents();
    if (kind != QLatin1String("window")) {
        std::unique_ptr<BaseFormSource> baseForms;
        std::shared_ptr<FormTable> table = FormTable::open(tablePath);
        if (kind == QLatin1String("hunspell")) {
            auto hunspell = std::make_unique<BaseForms>();
            hunspell->waitUntilReady(Language::Czech);
            baseForms = std::move(hunspell);
        } else if (kind == QLatin1String("table")) {
            baseForms = std::make_unique<TableBaseForms>(table);
        }
        for (const QString& text : {press, foldDiacritics(press)}) {
            const TranslationRun run = translate(Dictionary, Cze, text, baseForms.get());
            if (baseForms)
                askTable(*table, run);
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
    const auto table = FormTable::open(tablePath);
    if (!table) {
        std::fprintf(stderr, "no word-form table at %s\n", qUtf8Printable(tablePath));
        return 1;
    }
    std::printf("word-form table: %.1f MiB on disk\n", double(table->size()) / (1024 * 1024));
    const QList<Source> sources{
        {"with Hunspell (BaseForms)",
         [] {
             auto forms = std::make_unique<BaseForms>();
             forms->waitUntilReady(Language::Czech);
             return std::unique_ptr<BaseFormSource>(std::move(forms));
         }},
        {"with the table alone (TableBaseForms)", [&] {
             return std::unique_ptr<BaseFormSource>(
                 std::make_unique<TableBaseForms>(FormTable::open(tablePath)));
         }}};
    comparePresses(press, QFileInfo(textPath).fileName(), tablePath, sources, runs);
    comparePresses(foldDiacritics(press),
                   QFileInfo(textPath).fileName() + QStringLiteral(" without diacritics"),
                   tablePath, sources, runs);
    nearCost(*table, words);

    std::printf("memory of a process with the text boxes shown, after a Czech press with and "
                "without diacritics (goal: peak <= %.0f MiB):\n",
                PeakGoalMiB);
    for (const auto& [kind, name] :
         {std::pair{"window", "no press"}, std::pair{"exact", "as typed only"},
          std::pair{"hunspell", "with Hunspell"}, std::pair{"table", "with the table alone"}}) {
        const auto [peak, resident] = memoryOf(QString::fromLatin1(kind), tablePath, textPath);
        std::printf("  %-24s peak %6.1f MiB %-16s at the end %6.1f MiB\n", name, peak,
                    peak <= PeakGoalMiB ? "within the goal" : "OVER the goal", resident);
    }
    return 0;
}
