// How much of a text the translation pass translates on the imported dictionary, and how: the
// share of word tokens found exactly, through a base form, through folded diacritics, as a
// contraction, shown as a likely typo, as a proper name, and not found; the learning
// questions a text asks and how many of them ask for an ordinary missing word (the goal is
// judged on the text as written: a word a variant spoils may be offered on purpose, when it
// is plausibly real); and what the fallbacks cost a press. Each text is read as written, Czech also
// without its diacritics, and each with one random typo in 5 % of its words. Not a test: run it by
// hand and read the figures.
//
//   coverage_bench                          the development texts in tools/bench/data
//   coverage_bench --czech FILE...          texts of one language (--english likewise)
//   coverage_bench --samples FILE           also writes 100 random lines of each fallback,
//                                           each with its sentence and whether learning
//                                           asked for it, to FILE for checking
//   coverage_bench --seed 7                 the seed of the typos and of the samples (1)
//   coverage_bench --runs 9                 timed runs of each press (3 unless told)
//
// Base forms and the words a typed word may stand for come from the program's word-form table.
#include "PressTiming.h"
#include "TextArguments.h"
#include "TextVariants.h"

#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "language/FormTable.h"
#include "language/TableBaseForms.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <map>

namespace
{

struct Options {
    QString dictionary = QStringLiteral(SLOVNIK_IMPORTED_DICTIONARY "/");
    QString formTable = QStringLiteral(SLOVNIK_FORMS_TABLE);
    QString samples;
    quint32 seed = 1;
    int runs = 3;
    QList<BenchText> texts;
};

constexpr double TypoShare = 0.05;
constexpr int SampleSize = 100;
// Goals: found tokens of Czech without diacritics; learning questions that ask for an ordinary
// missing word; typos whose intended word is among the guesses; a cold press against the
// exact-only one and against a warm one.
constexpr double FoundGoal = 90;
constexpr double OrdinaryGoal = 80;
constexpr double IntendedGoal = 80;

const char* kindName(LookupKind kind)
{
    switch (kind) {
    case LookupKind::Exact:
        return "exact";
    case LookupKind::BaseForm:
        return "base form";
    case LookupKind::Folded:
        return "folded diacritics";
    case LookupKind::Contraction:
        return "contraction";
    case LookupKind::Guess:
        return "likely typo";
    case LookupKind::Name:
        return "proper name";
    case LookupKind::NotFound:
        return "not found";
    }
    return "";
}

bool isFound(LookupKind kind)
{
    return kind == LookupKind::Exact || kind == LookupKind::BaseForm ||
           kind == LookupKind::Folded || kind == LookupKind::Contraction;
}

// Every word of a text as the pass saw it: its lookup, its sentence, whether learning asked.
struct Word {
    QString word;
    QString sentence;
    WordLookup lookup;
    bool asked = false;
};

// Runs each press of a text through the translate handler with no window, no voice and no
// answers, as the program would with the user skipping every question.
QList<Word> translateText(const Options& options, const QStringList& texts, Language language,
                          const BaseFormSource* baseForms, const FormLookup* forms,
                          HeadIndex& heads)
{
    const bool english = language == Language::English;
    const QString dictExt = english ? LetterFile::EnglishToCzech : LetterFile::CzechToEnglish;
    QList<Word> out;
    for (const QString& text : texts) {
        const TranslationRun run =
            translate(options.dictionary, dictExt, text, baseForms, &heads, forms);
        const QList<WordSplitter::Token> tokens = WordSplitter::tokens(text, english);
        qsizetype sentenceFrom = 0;
        for (qsizetype i = 0; i < run.lookups.size(); ++i) {
            if (tokens[i].sentenceStart)
                sentenceFrom = i;
            QStringList sentence;
            for (qsizetype j = sentenceFrom;
                 j < tokens.size() && (j == sentenceFrom || !tokens[j].sentenceStart); ++j)
                sentence.append(tokens[j].text);
            const WordLookup& lookup = run.lookups[i];
            out.append({tokens[i].text.toLower(), sentence.join(u' '), lookup,
                        lookup.offerForLearning && !run.otherLanguage});
        }
    }
    return out;
}

// A name: a word that the text never writes in lower case and that starts with a capital
// (Debian, Falcot, APT). Sentence beginnings are told apart by the same word elsewhere.
QSet<QString> properNames(const QString& text)
{
    const QStringList words = WordSplitter::split(text);
    QSet<QString> lowerSomewhere;
    for (const QString& word : words) {
        if (word == word.toLower())
            lowerSomewhere.insert(word);
    }
    QSet<QString> names;
    for (const QString& word : words) {
        if (word.front().isUpper() && !lowerSomewhere.contains(word.toLower()))
            names.insert(word.toLower());
    }
    return names;
}

void percent(const char* what, qsizetype count, qsizetype total, double goal = -1)
{
    const double share = total ? 100.0 * double(count) / double(total) : 0.0;
    std::printf("    %-34s %6lld  %5.1f %%", what, static_cast<long long>(count), share);
    if (goal >= 0)
        std::printf("  goal >= %.0f %%: %s", goal, share >= goal ? "met" : "NOT met");
    std::printf("\n");
}

// The head words a guess line names: „house“ – dům; nebo „hose“ – hadice;
QStringList guessedWords(const WordLookup& lookup)
{
    QStringList out;
    const QString line = lookup.lines.value(0).translation;
    for (qsizetype at = line.indexOf(u'„'); at >= 0; at = line.indexOf(u'„', at + 1))
        out.append(line.mid(at + 1, line.indexOf(u'“', at) - at - 1));
    return out;
}

// The word and the base forms its lines name: "(go) jít;" -> go.
QStringList meant(const Word& word)
{
    QStringList out = {word.word};
    for (const WordLine& line : word.lookup.lines) {
        if (line.translation.startsWith(u'('))
            out.append(line.translation.mid(1, line.translation.indexOf(u')') - 1));
    }
    return out;
}

// The figures of one variant of a text; `written` is the text as written, word for word.
void report(const char* variant, const QList<Word>& words, const QList<Word>& written,
            const QSet<QString>& names, bool czechWithoutDiacritics, bool typos)
{
    const bool asWritten = qstrcmp(variant, "as written") == 0;
    std::map<LookupKind, qsizetype> count;
    qsizetype asked = 0;
    qsizetype ordinary = 0;
    qsizetype edited = 0;
    qsizetype intended = 0;
    qsizetype editedFound = 0;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const Word& word = words[i];
        ++count[word.lookup.kind];
        // An ordinary missing word: learning asks for it in the text as written too, and it
        // is no name.
        if (word.asked) {
            ++asked;
            ordinary += i < written.size() && written[i].asked && !names.contains(written[i].word);
        }
        if (typos && i < written.size() && word.word != written[i].word) {
            ++edited;
            editedFound += isFound(word.lookup.kind);
            if (word.lookup.kind == LookupKind::Guess) {
                const QStringList guesses = guessedWords(word.lookup);
                const QStringList wanted = meant(written[i]);
                intended += std::any_of(guesses.cbegin(), guesses.cend(),
                                        [&](const QString& g) { return wanted.contains(g); });
            }
        }
    }
    const qsizetype total = words.size();
    std::printf("  %s: %lld word tokens\n", variant, static_cast<long long>(total));
    qsizetype found = 0;
    for (const auto& [kind, n] : count) {
        percent(kindName(kind), n, total);
        found += isFound(kind) ? n : 0;
    }
    percent("found", found, total, czechWithoutDiacritics ? FoundGoal : -1);
    percent("learning questions (of tokens)", asked, total);
    // The goal is the text as the user wrote it; elsewhere a question for a word the edit
    // made up is no fault: a typo that is also plausibly a real word is offered on purpose.
    if (asked == 0)
        std::printf("    %-34s no questions\n", "  for an ordinary missing word");
    else
        percent("  for an ordinary missing word", ordinary, asked, asWritten ? OrdinaryGoal : -1);
    if (edited > 0) {
        percent("typos made (of tokens)", edited, total);
        percent("  found all the same", editedFound, edited);
        percent("  intended word among the guesses", intended, edited - editedFound, IntendedGoal);
    }
}

// Each press exact only, cold and warm, as PressTiming.h defines them.
void timePresses(const Options& options, const QStringList& texts, Language language)
{
    const QString dictExt =
        language == Language::English ? LetterFile::EnglishToCzech : LetterFile::CzechToEnglish;
    HeadIndex heads;
    loadLetterFiles(options.dictionary, heads);
    PressTimes times;
    for (int run = 0; run < options.runs; ++run) {
        for (const QString& text : texts)
            timePress(options.dictionary, dictExt, text, options.formTable, heads, times);
    }
    std::printf("  a press of up to %d words, medians of %lld runs:\n", Module1::MaxWords,
                static_cast<long long>(times.exactMs.size()));
    printPressTimes(times, "    ");
}

struct Sample {
    QString text;
    QString line;
};

void measure(const Options& options, const QString& path, Language language,
             const std::shared_ptr<const FormTable>& forms,
             std::map<LookupKind, QList<Sample>>& samples)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::printf("%s: cannot be read\n", qUtf8Printable(path));
        return;
    }
    const QString text = QString::fromUtf8(file.readAll());
    const TableBaseForms baseForms(forms);
    const bool english = language == Language::English;
    const QString name = QFileInfo(path).fileName();
    std::printf("%s (%s)\n", qUtf8Printable(name),
                english ? "English to Czech" : "Czech to English");

    QList<std::pair<QString, QString>> variants = {{QStringLiteral("as written"), text}};
    if (!english)
        variants.append({QStringLiteral("without diacritics"), withoutDiacritics(text)});
    variants.append({QStringLiteral("with typos"), withTypos(text, TypoShare, options.seed)});

    HeadIndex heads;
    QList<Word> written;
    const QSet<QString> names = properNames(text);
    for (const auto& [variant, variantText] : variants) {
        const QList<Word> words = translateText(options, presses(variantText, english), language,
                                                &baseForms, forms.get(), heads);
        if (written.isEmpty())
            written = words;
        report(qUtf8Printable(variant), words, written, names,
               variant == QLatin1String("without diacritics"),
               variant == QLatin1String("with typos"));
        for (const Word& word : words) {
            if (word.lookup.kind == LookupKind::Exact || word.lookup.kind == LookupKind::NotFound)
                continue;
            QStringList lines;
            for (const WordLine& line : word.lookup.lines)
                lines.append(line.translation);
            samples[word.lookup.kind].append(
                {name + u' ' + variant + QStringLiteral(": ") + word.sentence,
                 word.word + TranslateHandler::ResultSeparator + lines.join(QStringLiteral(" | ")) +
                     (word.asked ? QStringLiteral("   [offered for learning]") : QString())});
        }
    }
    timePresses(options, presses(text, english), language);
}

void writeSamples(const Options& options, const std::map<LookupKind, QList<Sample>>& samples)
{
    QFile out(options.samples);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::printf("%s: cannot be written\n", qUtf8Printable(options.samples));
        return;
    }
    QRandomGenerator random(options.seed);
    QString text;
    for (auto [kind, all] : samples) {
        // A line met in two variants of a text is drawn once.
        QSet<QString> seen;
        all.removeIf([&](const Sample& sample) {
            if (seen.contains(sample.line))
                return true;
            seen.insert(sample.line);
            return false;
        });
        std::shuffle(all.begin(), all.end(), random);
        const qsizetype n = std::min<qsizetype>(SampleSize, all.size());
        text += QStringLiteral("## %1: %2 random lines of %3\n\n")
                    .arg(QLatin1String(kindName(kind)))
                    .arg(n)
                    .arg(all.size());
        for (const Sample& sample : all.first(n))
            text +=
                sample.line + u'\n' + QStringLiteral("    ") + sample.text + QStringLiteral("\n\n");
    }
    out.write(text.toUtf8());
    std::printf("samples written to %s\n", qUtf8Printable(options.samples));
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    const bool understood =
        readTextArguments(argc, argv, Language::Czech, options.texts,
                          [&options](const QString& name, const QString& value) {
                              if (name == QLatin1String("--runs"))
                                  options.runs = std::max(1, value.toInt());
                              else if (name == QLatin1String("--samples"))
                                  options.samples = value;
                              else if (name == QLatin1String("--seed"))
                                  options.seed = value.toUInt();
                              else if (name == QLatin1String("--dictionary"))
                                  options.dictionary = value + QLatin1Char('/');
                              else if (name == QLatin1String("--forms"))
                                  options.formTable = value;
                              else
                                  return false;
                              return true;
                          });
    if (!understood)
        return 2;
    QString whyNot;
    const std::shared_ptr<const FormTable> forms = FormTable::open(options.formTable, &whyNot);
    if (!forms) {
        std::printf("%s\n", qUtf8Printable(whyNot));
        return 1;
    }
    std::map<LookupKind, QList<Sample>> samples;
    for (const auto& [path, textLanguage] : options.texts)
        measure(options, path, textLanguage, forms, samples);
    if (!options.samples.isEmpty())
        writeSamples(options, samples);
    return 0;
}
