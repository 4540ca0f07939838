// What the build imported from Debian's FreeDict packages, checked through the lookup the
// program uses: every letter file well formed and within its limits, the sources credited,
// everyday meanings first, ordinary text mostly found, everyday forms found through their base
// forms. The content of the data, not the code: run it by hand after changing the importer or
// the packages it reads; it prints what it finds and exits non-zero when something is off.
#include "DictionaryBuilder.h"
#include "LetterFileWriter.h"
#include "TranslationRun.h"

#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "dictionary/WordSplitter.h"
#include "language/BaseForms.h"

#include <QFile>
#include <algorithm>
#include <cstdio>

namespace
{

const QString Directory = QStringLiteral(SLOVNIK_IMPORTED_DICTIONARY "/");

// Everyday prose, not picked from the dictionary.
const QString EnglishText = QStringLiteral(
    "Every morning my neighbour walks her old dog along the river. She usually stops at the small "
    "shop on the corner to buy bread, milk and fresh vegetables. Yesterday it was raining, so she "
    "stayed at home, made a cup of tea and read a book about the history of the town.");
const QString CzechText = QString::fromUtf8(
    "Každé ráno chodí moje sousedka se starým psem podél řeky. Obvykle se zastaví v malém obchodě "
    "na rohu, kde koupí chléb, mléko a čerstvou zeleninu. Včera pršelo, a tak zůstala doma.");
// Czech words as a dictionary lists them, many with diacritics.
const QString CzechWords = QString::fromUtf8(
    "čaj dům kůň řeka město žena muž dítě škola práce přítel kniha voda chléb mléko kočka den "
    "noc rok dobrý špatný velký malý nový starý být mít jít vidět slyšet říct psát číst spát");

int failures = 0;

void expect(bool holds, const QString& what)
{
    if (!holds) {
        ++failures;
        std::printf("FAIL: %s\n", qPrintable(what));
    }
}

void checkLetterFiles()
{
    for (const QString& dictExt : {LetterFile::EnglishToCzech, LetterFile::CzechToEnglish}) {
        qsizetype total = 0;
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            const QString name = QLatin1Char(letter) + dictExt;
            const QByteArray bytes = LetterFile::readFile(Directory + name).value_or("");
            expect(bytes.endsWith(LetterFile::joinLines(LetterFile::terminatorLines(dictExt))),
                   name + QStringLiteral(" ends in its terminator"));
            const auto read = LetterFile::readEntries(bytes, dictExt);
            expect(!read.incomplete && read.entries.size() <= Import::MaxEntriesPerFile,
                   name + QStringLiteral(" is whole and within the entry limit"));
            for (const LetterFile::Entry& entry : read.entries) {
                expect(!Import::whyUnreachable(entry.head) &&
                           LetterFile::fileLetter(entry.head) == QString(QLatin1Char(letter)) &&
                           !entry.translation.isEmpty() &&
                           entry.translation.size() <= Import::MaxTranslationLength,
                       name + QStringLiteral(": ") + entry.head);
            }
            total += read.entries.size();
        }
        std::printf("%s: %lld entries\n", qPrintable(dictExt), static_cast<long long>(total));
        expect(total > 50000, dictExt + QStringLiteral(" holds over 50,000 entries"));
    }
    QFile credits(Directory + QStringLiteral("ZDROJE.txt"));
    const QString text =
        credits.open(QIODevice::ReadOnly) ? QString::fromUtf8(credits.readAll()) : QString();
    for (const char* part :
         {"(freedict-eng-ces)", "(freedict-ces-eng)", "Michael Bunk", "GNU General Public License"})
        expect(text.contains(QString::fromUtf8(part)), QStringLiteral("ZDROJE.txt names ") + part);
}

// Each word's first meaning, or with base forms, the base form its first line names.
void checkFirstLines(const QString& dictExt, const char* words, const char* firsts,
                     const BaseFormSource* baseForms = nullptr)
{
    const TranslationRun run = translate(Directory, dictExt, QString::fromUtf8(words), baseForms);
    const QStringList typed = QString::fromUtf8(words).split(u' ');
    const QStringList expected = QString::fromUtf8(firsts).split(u' ');
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QString start = typed[i] + TranslateHandler::ResultSeparator +
                              (baseForms ? u'(' + expected[i] + u')' : expected[i] + u';');
        expect(std::any_of(run.lines.cbegin(), run.lines.cend(),
                           [&](const QString& line) {
                               return line.startsWith(start) || line == start.chopped(1);
                           }),
               QStringLiteral("a line starts with ") + start);
    }
}

// The share of the text's words found, printed with the words that were not.
double coverage(const char* what, const QString& dictExt, const QString& text,
                const BaseFormSource* baseForms = nullptr)
{
    const TranslationRun result = translate(Directory, dictExt, text, baseForms);
    const auto words = WordSplitter::split(text).size();
    const double share = 1.0 - double(result.unknown.size()) / double(words);
    std::printf("%s: %d %% of %lld words found; not found: %s\n", what, qRound(share * 100),
                static_cast<long long>(words), qPrintable(result.unknown.join(u' ')));
    return share;
}

} // namespace

int main()
{
    if (!QFile::exists(Directory + QStringLiteral("a.dta"))) {
        std::printf("no imported dictionary at %s\n", qPrintable(Directory));
        return 1;
    }
    checkLetterFiles();
    checkFirstLines(LetterFile::EnglishToCzech, "house water tea dog", "dům voda čaj pes");
    checkFirstLines(LetterFile::CzechToEnglish, "voda čaj pes dům", "water tea dog house");
    expect(coverage("English paragraph", LetterFile::EnglishToCzech, EnglishText) >= 0.95,
           QStringLiteral("95 % of the English paragraph"));
    expect(coverage("Czech dictionary words", LetterFile::CzechToEnglish, CzechWords) >= 0.95,
           QStringLiteral("95 % of the Czech words"));
    expect(coverage("Czech paragraph", LetterFile::CzechToEnglish, CzechText) >= 0.5,
           QStringLiteral("half the Czech paragraph"));

    BaseForms baseForms;
    if (baseForms.waitUntilReady(Language::Czech) && baseForms.waitUntilReady(Language::English)) {
        checkFirstLines(LetterFile::CzechToEnglish,
                        "psa psem člověka lidmi práci kterou svou pokoji domem stole dnem ženou "
                        "praze německu dětmi vzala přišla odešli knihu městě chodila chtěla",
                        "pes pes člověk člověk práce který svůj pokoj dům stůl den žena praha "
                        "německo dítě vzít přijít odejít kniha město chodit chtít",
                        &baseForms);
        checkFirstLines(LetterFile::EnglishToCzech, "blushes sighed griefs", "blush sigh grief",
                        &baseForms);
        expect(coverage("Czech paragraph, base forms", LetterFile::CzechToEnglish, CzechText,
                        &baseForms) >= 0.95,
               QStringLiteral("the Czech paragraph nearly all found through base forms"));
    } else {
        std::printf("no Hunspell dictionaries: base forms not checked\n");
    }
    std::printf("%s\n", failures ? "some checks FAILED" : "all checks hold");
    return failures ? 1 : 0;
}
