// What finding the dictionary's phrases in a text gives and costs, on the imported dictionary:
// phrase lines per 1,000 word tokens, and a press of up to 1024 words with the phrase search
// beside the same press without it (the goal: at most 1.3x). Both presses look up base forms
// and keep what they read across presses, as the program does; times are the thread's
// processor time. Not a test: run it by hand and read the figures.
//
//   phrase_bench                           the development texts in tools/bench/data
//   phrase_bench --czech FILE... --english FILE...   other texts
//   phrase_bench --sample 100 --out DIR    also writes DIR/phrases-en.txt and phrases-cs.txt:
//                                          that many random phrase lines (seed 1 unless
//                                          --seed) per direction, each under its sentence
//   phrase_bench --runs 9                  timed runs of each press (5 unless told)
#include "TextArguments.h"
#include "TranslationRun.h"

#include "dictionary/LetterFile.h"
#include "dictionary/WordSplitter.h"
#include "language/BaseForms.h"
#include "translate/PhraseFinder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace
{

constexpr double CostGoal = 1.3;

struct Options {
    QString dictionary = QStringLiteral(SLOVNIK_IMPORTED_DICTIONARY "/");
    int sample = 0;
    quint32 seed = 1;
    int runs = 5;
    QString out;
    QList<BenchText> texts;
};

struct Text {
    QString path;
    QString content;
};

QString dictExtOf(Language language)
{
    return language == Language::Czech ? LetterFile::CzechToEnglish : LetterFile::EnglishToCzech;
}

// The text cut, at word ends, into presses of at most MaxWords words; sentence ends kept.
QStringList presses(const QString& text)
{
    QStringList out;
    qsizetype start = 0;
    int words = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const bool wordEnds = WordSplitter::isWordCharacter(text[k]) &&
                              (k + 1 == text.size() || !WordSplitter::isWordCharacter(text[k + 1]));
        if (wordEnds && ++words == Module1::MaxWords) {
            out.append(text.mid(start, k + 1 - start));
            start = k + 1;
            words = 0;
        }
    }
    out.append(text.mid(start));
    return out;
}

// The text's sentences, blanks and line breaks made single blanks.
QStringList sentences(const QString& text)
{
    QStringList out;
    QString current;
    for (QChar c : text) {
        current.append(c);
        if (PhraseFinder::endsSentence(c)) {
            out.append(current.simplified());
            current.clear();
        }
    }
    out.append(current.simplified());
    out.removeAll(QString());
    return out;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

// The processor time of this thread: on a machine shared with other work, the time a press
// waits for the processor is not its own cost.
double threadCpuMs()
{
    struct timespec now {
    };
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// One press, timed; `phrases` null for the press without phrase search.
double pressMs(const QString& dataPath, const QString& dictExt, const QString& text,
               const BaseFormSource& baseForms, HeadIndex& heads, PhraseFinder* phrases,
               QStringList* lines = nullptr)
{
    const double start = threadCpuMs();
    const TranslationRun run =
        translate(dataPath, dictExt, text, &baseForms, &heads, nullptr, phrases);
    const double ms = threadCpuMs() - start;
    if (lines)
        *lines = run.lines;
    return ms;
}

void measure(const Options& options, Language language, const QList<Text>& texts)
{
    const QString dictExt = dictExtOf(language);
    const char* direction = language == Language::Czech ? "Czech to English" : "English to Czech";
    BaseForms baseForms;
    if (!baseForms.waitUntilReady(language))
        std::printf("%s: no Hunspell dictionary, base forms left out\n", direction);

    // Phrase lines: what the press with phrase search shows beyond the press without it.
    HeadIndex heads;
    PhraseFinder phrases;
    qsizetype tokens = 0;
    qsizetype phraseLines = 0;
    QStringList allPresses;
    for (const Text& text : texts) {
        tokens += WordSplitter::split(text.content).size();
        for (const QString& press : presses(text.content)) {
            QStringList without;
            QStringList with;
            pressMs(options.dictionary, dictExt, press, baseForms, heads, nullptr, &without);
            pressMs(options.dictionary, dictExt, press, baseForms, heads, &phrases, &with);
            phraseLines += with.size() - without.size();
            allPresses.append(press);
        }
    }
    std::printf("%s: %lld word tokens, %lld phrase lines, %.1f per 1,000 tokens\n", direction,
                static_cast<long long>(tokens), static_cast<long long>(phraseLines),
                tokens ? 1000.0 * double(phraseLines) / double(tokens) : 0.0);

    // Timed, interleaved so that a busy machine slows both alike; everything read and every
    // word analysed before (the runs above), as in the program after its first presses.
    QList<double> withoutMs;
    QList<double> withMs;
    for (int run = 0; run < options.runs; ++run) {
        for (const QString& press : std::as_const(allPresses)) {
            withoutMs.append(
                pressMs(options.dictionary, dictExt, press, baseForms, heads, nullptr));
            withMs.append(pressMs(options.dictionary, dictExt, press, baseForms, heads, &phrases));
        }
    }
    PhraseFinder fresh; // its phrases not read yet: the first press of a newly opened window
    const double firstMs =
        pressMs(options.dictionary, dictExt, allPresses.value(0), baseForms, heads, &fresh);
    const auto least = [](const QList<double>& values) {
        return values.isEmpty() ? 0.0 : *std::min_element(values.begin(), values.end());
    };
    const double ratio = median(withoutMs) > 0 ? median(withMs) / median(withoutMs) : 0;
    std::printf("  press of up to %d words, %lld presses each, min / median:\n"
                "    without phrase search %7.2f / %7.2f ms\n"
                "    with phrase search    %7.2f / %7.2f ms  %.2fx / %.2fx  %s (goal <= %.1fx)\n"
                "    with phrase search, the window's first press: %.2f ms\n",
                Module1::MaxWords, static_cast<long long>(withMs.size()), least(withoutMs),
                median(withoutMs), least(withMs), median(withMs),
                least(withoutMs) > 0 ? least(withMs) / least(withoutMs) : 0, ratio,
                ratio <= CostGoal ? "within the goal" : "over the goal", CostGoal, firstMs);

    if (options.sample <= 0 || options.out.isEmpty())
        return;
    // One entry per phrase occurrence and sentence, the lines of its entries together.
    QStringList found;
    for (const Text& text : texts) {
        for (const QString& sentence : sentences(text.content)) {
            QStringList words = WordSplitter::split(sentence);
            for (QString& word : words)
                word = word.toLower();
            const QList<PhraseMatch> matches =
                phrases.find(sentence, words, options.dictionary, dictExt, heads, &baseForms);
            for (const PhraseMatch& match : matches) {
                QString lines = sentence + u'\n';
                for (const QString& translation : match.translations)
                    lines += QStringLiteral("  ") + match.typed +
                             TranslateHandler::ResultSeparator + match.shown(translation) + u'\n';
                found.append(lines);
            }
        }
    }
    QRandomGenerator random(options.seed);
    std::shuffle(found.begin(), found.end(), random);
    const QString name = language == Language::Czech ? QStringLiteral("phrases-cs.txt")
                                                     : QStringLiteral("phrases-en.txt");
    QFile file(QDir(options.out).filePath(name));
    if (!QDir().mkpath(options.out) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::printf("  %s cannot be written\n", qUtf8Printable(file.fileName()));
        return;
    }
    const QStringList drawn = found.first(std::min<qsizetype>(options.sample, found.size()));
    file.write(drawn.join(u'\n').toUtf8());
    std::printf("  %lld random phrase lines of %lld written to %s\n",
                static_cast<long long>(drawn.size()), static_cast<long long>(found.size()),
                qUtf8Printable(file.fileName()));
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    const bool understood =
        readTextArguments(argc, argv, Language::English, options.texts,
                          [&options](const QString& name, const QString& value) {
                              if (name == QLatin1String("--runs"))
                                  options.runs = std::max(1, value.toInt());
                              else if (name == QLatin1String("--sample"))
                                  options.sample = value.toInt();
                              else if (name == QLatin1String("--seed"))
                                  options.seed = value.toUInt();
                              else if (name == QLatin1String("--out"))
                                  options.out = value;
                              else
                                  return false;
                              return true;
                          });
    if (!understood)
        return 2;
    for (const Language each : {Language::English, Language::Czech}) {
        QList<Text> texts;
        for (const auto& [path, textLanguage] : options.texts) {
            QFile file(path);
            if (textLanguage != each)
                continue;
            if (!file.open(QIODevice::ReadOnly)) {
                std::printf("%s: cannot be read\n", qUtf8Printable(path));
                continue;
            }
            texts.append({path, QString::fromUtf8(file.readAll())});
        }
        if (!texts.isEmpty())
            measure(options, each, texts);
    }
    return 0;
}
