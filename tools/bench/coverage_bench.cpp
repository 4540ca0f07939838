// How much of a text the translation pass translates on the imported dictionary: the share
// of word tokens found as typed, found through a base form, and not found; and what the
// base-form lookup costs a press of 1024 words. Not a test: run it by hand and read the
// figures.
//
//   coverage_bench                          the development texts in tools/bench/data
//   coverage_bench --czech FILE...          texts of one language
//   coverage_bench --sample 100 FILE        also 100 random base-form lines, for checking
//   coverage_bench --missing FILE           also every word not found, most frequent first
//   coverage_bench --lines FILE             also every base-form line, in text order
//   coverage_bench --runs 9 FILE            timed runs of each press (5 unless told)
#include "Timing.h"
#include "TranslationRun.h"

#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "dictionary/WordSplitter.h"
#include "language/BaseForms.h"
#include "translate/BaseFormFallback.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <algorithm>
#include <cstdio>

namespace
{

struct Options {
    QString dictionary = QStringLiteral(SLOVNIK_IMPORTED_DICTIONARY "/");
    QString hunspell = BaseForms::defaultDirectory();
    int sample = 0;
    quint32 seed = 1;
    bool missing = false;
    bool lines = false;
    int runs = 5;
    QList<std::pair<QString, Language>> texts;
};

// The most a press with base forms may cost, as a multiple of the press without them.
constexpr double CostGoal = 1.5;

enum class Outcome { Exact, BaseForm, NotFound };

QString dictExtOf(Language language)
{
    return language == Language::Czech ? LetterFile::CzechToEnglish : LetterFile::EnglishToCzech;
}

// The text cut into presses of at most 1024 words.
QStringList presses(const QStringList& words)
{
    QStringList out;
    for (qsizetype i = 0; i < words.size(); i += Module1::MaxWords)
        out.append(words.mid(i, Module1::MaxWords).join(QLatin1Char(' ')));
    return out;
}

// A name: a word that the text never writes in lower case and that starts with a capital
// (Debian, Falcot, APT). Sentence beginnings are told apart by the same word elsewhere.
QSet<QString> properNames(const QStringList& words)
{
    QSet<QString> lowerSomewhere;
    for (const QString& word : words) {
        if (word == word.toLower())
            lowerSomewhere.insert(word);
    }
    QSet<QString> names;
    for (const QString& word : words) {
        const QString lowered = word.toLower();
        if (word.front().isUpper() && !lowerSomewhere.contains(lowered))
            names.insert(lowered);
    }
    return names;
}

void percent(const char* what, qsizetype count, qsizetype total)
{
    std::printf("  %-22s %6lld  %5.1f %%\n", what, static_cast<long long>(count),
                total ? 100.0 * double(count) / double(total) : 0.0);
}

void measure(const Options& options, const QString& path, Language language)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::printf("%s: cannot be read\n", qUtf8Printable(path));
        return;
    }
    const QStringList words = WordSplitter::split(QString::fromUtf8(file.readAll()));
    const QString dictExt = dictExtOf(language);
    const QStringList texts = presses(words);

    QElapsedTimer loading;
    loading.start();
    BaseForms baseForms(options.hunspell);
    if (!baseForms.waitUntilReady(language)) {
        std::printf("%s: no Hunspell dictionary in %s\n", qUtf8Printable(path),
                    qUtf8Printable(options.hunspell));
        return;
    }
    const double loadMs = loading.nsecsElapsed() / 1e6;

    // Head words kept across presses and read before the first, as the program's own index
    // holds them after its first press: both timed passes use it, so that the ratio is the
    // fallback's cost alone.
    HeadIndex keptHeadWords;
    keptHeadWords.beginPass();
    for (char letter = 'a'; letter <= 'z'; ++letter)
        keptHeadWords.translationsOf(options.dictionary + QLatin1Char(letter) + dictExt, {});

    // Each press once without base forms and once with them, head words read for the press,
    // as the first press of the program does: these give the coverage figures and the lines.
    QSet<QString> unknownExact;
    QSet<QString> unknownWithBaseForms;
    QStringList baseFormLines;
    QList<double> firstMs;
    for (const QString& text : texts) {
        const TranslationRun exact = translate(options.dictionary, dictExt, text, nullptr);
        TranslationRun withBaseForms;
        firstMs.append(timed(
            [&] { withBaseForms = translate(options.dictionary, dictExt, text, &baseForms); }));
        for (const QString& word : exact.unknown)
            unknownExact.insert(word);
        for (const QString& word : withBaseForms.unknown)
            unknownWithBaseForms.insert(word);
        for (const QString& line : withBaseForms.lines) {
            const QString word = line.section(TranslateHandler::ResultSeparator, 0, 0);
            if (exact.unknown.contains(word) && !withBaseForms.unknown.contains(word))
                baseFormLines.append(line);
        }
    }

    // The timed runs, interleaved so that a busy machine slows all three alike: each press as
    // typed only; with base forms by an analyser that has seen no word yet (cold); and the
    // same press again by that analyser, which now remembers its words.
    QList<double> exactMs, coldMs, rememberedMs;
    for (int run = 0; run < options.runs; ++run) {
        for (const QString& text : texts) {
            exactMs.append(timed(
                [&] { translate(options.dictionary, dictExt, text, nullptr, &keptHeadWords); }));
            BaseForms fresh(options.hunspell);
            fresh.waitUntilReady(language);
            coldMs.append(timed(
                [&] { translate(options.dictionary, dictExt, text, &fresh, &keptHeadWords); }));
            rememberedMs.append(timed(
                [&] { translate(options.dictionary, dictExt, text, &fresh, &keptHeadWords); }));
        }
    }

    const QSet<QString> names = properNames(words);
    QHash<Outcome, qsizetype> count, countNoNames;
    QHash<QString, int> missing;
    for (const QString& typed : words) {
        const QString word = typed.toLower();
        const Outcome outcome = unknownWithBaseForms.contains(word) ? Outcome::NotFound
                                : unknownExact.contains(word)       ? Outcome::BaseForm
                                                                    : Outcome::Exact;
        ++count[outcome];
        if (!names.contains(word))
            ++countNoNames[outcome];
        if (outcome == Outcome::NotFound)
            ++missing[word];
    }
    const qsizetype total = words.size();
    const qsizetype totalNoNames = total - [&] {
        qsizetype n = 0;
        for (const QString& typed : words)
            n += names.contains(typed.toLower());
        return n;
    }();

    std::printf("%s (%s): %lld word tokens, %lld of them names\n",
                qUtf8Printable(QFileInfo(path).fileName()),
                language == Language::Czech ? "Czech to English" : "English to Czech",
                static_cast<long long>(total), static_cast<long long>(total - totalNoNames));
    percent("exact", count[Outcome::Exact], total);
    percent("through a base form", count[Outcome::BaseForm], total);
    percent("not found", count[Outcome::NotFound], total);
    percent("translated", total - count[Outcome::NotFound], total);
    percent("translated, not names", totalNoNames - countNoNames[Outcome::NotFound], totalNoNames);
    percent("translated before", total - count[Outcome::NotFound] - count[Outcome::BaseForm],
            total);

    const double exact = median(exactMs);
    const auto withRatio = [exact](const char* what, double ms) {
        const double ratio = exact > 0 ? ms / exact : 0.0;
        std::printf("    %-44s %5.1f ms  %.2fx  %s\n", what, ms, ratio,
                    ratio <= CostGoal ? "within the goal" : "over the goal");
    };
    std::printf("  Hunspell dictionary read in %.0f ms\n", loadMs);
    std::printf("  a press of up to %d words, medians of %lld runs (%d of each of %lld presses);\n"
                "  head words kept across presses; the goal is at most %.1fx the pass as typed:\n",
                Module1::MaxWords, static_cast<long long>(exactMs.size()), options.runs,
                static_cast<long long>(texts.size()), CostGoal);
    std::printf("    %-44s %5.1f ms\n", "as typed only", exact);
    withRatio("with base forms, analyser cold", median(coldMs));
    withRatio("with base forms, words remembered", median(rememberedMs));
    std::printf("    (with base forms, head words read for the press: %.1f ms)\n", median(firstMs));

    if (options.lines) {
        std::printf("  every base-form line (%lld):\n",
                    static_cast<long long>(baseFormLines.size()));
        for (const QString& line : std::as_const(baseFormLines))
            std::printf("    %s\n", qUtf8Printable(line));
    }

    if (options.missing) {
        QList<std::pair<int, QString>> ranked;
        for (auto it = missing.cbegin(); it != missing.cend(); ++it)
            ranked.append({-it.value(), it.key()});
        std::sort(ranked.begin(), ranked.end());
        std::printf("  not found:");
        for (const auto& [negative, word] : ranked)
            std::printf(" %s(%d)", qUtf8Printable(word), -negative);
        std::printf("\n");
    }

    if (options.sample > 0) {
        // One line per word and base form, so that a word with many entries is drawn once.
        QStringList distinct;
        QSet<QString> seen;
        for (const QString& line : baseFormLines) {
            const QString key = line.section(QLatin1Char(')'), 0, 0);
            if (!seen.contains(key)) {
                seen.insert(key);
                distinct.append(line);
            }
        }
        QRandomGenerator random(options.seed);
        std::shuffle(distinct.begin(), distinct.end(), random);
        std::printf("  %d random base-form lines of %lld:\n", options.sample,
                    static_cast<long long>(distinct.size()));
        for (const QString& line :
             distinct.first(std::min<qsizetype>(options.sample, distinct.size())))
            std::printf("    %s\n", qUtf8Printable(line));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    Language language = Language::Czech;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == QLatin1String("--czech"))
            language = Language::Czech;
        else if (arg == QLatin1String("--english"))
            language = Language::English;
        else if (arg == QLatin1String("--missing"))
            options.missing = true;
        else if (arg == QLatin1String("--lines"))
            options.lines = true;
        else if (arg == QLatin1String("--runs") && hasValue)
            options.runs = std::max(1, QString::fromLocal8Bit(argv[++i]).toInt());
        else if (arg == QLatin1String("--sample") && hasValue)
            options.sample = QString::fromLocal8Bit(argv[++i]).toInt();
        else if (arg == QLatin1String("--seed") && hasValue)
            options.seed = QString::fromLocal8Bit(argv[++i]).toUInt();
        else if (arg == QLatin1String("--dictionary") && hasValue)
            options.dictionary = QString::fromLocal8Bit(argv[++i]) + QLatin1Char('/');
        else if (arg == QLatin1String("--hunspell") && hasValue)
            options.hunspell = QString::fromLocal8Bit(argv[++i]) + QLatin1Char('/');
        else if (arg.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        } else
            options.texts.append({arg, language});
    }
    if (options.texts.isEmpty()) {
        // The development texts: a file's name ends in -cs or -en.
        const QDir data(QStringLiteral(SLOVNIK_BENCH_DATA));
        for (const QString& name : data.entryList({QStringLiteral("*.txt")}, QDir::Files))
            options.texts.append({data.filePath(name), name.endsWith(QLatin1String("-cs.txt"))
                                                           ? Language::Czech
                                                           : Language::English});
    }
    for (const auto& [path, textLanguage] : options.texts)
        measure(options, path, textLanguage);
    return 0;
}
