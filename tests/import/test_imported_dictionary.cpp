// The dictionary that the build imported from Debian's FreeDict packages, checked through the
// same lookup the program uses. The build makes it before this test; when it is not there,
// the test says so and skips.
#include "DictionaryBuilder.h"
#include "LetterFileWriter.h"
#include "TranslationRun.h"

#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "dictionary/WordSplitter.h"
#include "language/BaseForms.h"

#include <QFile>
#include <gtest/gtest.h>
#include <iostream>

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

class ImportedDictionary : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!QFile::exists(Directory + QStringLiteral("a.dta")))
            GTEST_SKIP() << "no imported dictionary at " << Directory.toStdString();
    }
};

// The share of the text's words found, printed with the words that were not.
double coverage(const char* what, const QString& dictExt, const QString& text)
{
    const TranslationRun result = translate(Directory, dictExt, text);
    const auto words = WordSplitter::split(text).size();
    const double share = 1.0 - double(result.unknown.size()) / double(words);
    std::cout << what << ": " << qRound(share * 100) << " % of " << words
              << " words found; not found: " << result.unknown.join(u' ').toStdString() << '\n';
    return share;
}

} // namespace

TEST_F(ImportedDictionary, EveryLetterFileIsWellFormedWithinItsLimitAndCredited)
{
    for (const QString& dictExt : {LetterFile::EnglishToCzech, LetterFile::CzechToEnglish}) {
        qsizetype total = 0;
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            const QString name = QLatin1Char(letter) + dictExt;
            const auto bytes = LetterFile::readFile(Directory + name);
            ASSERT_TRUE(bytes) << name.toStdString();
            EXPECT_TRUE(
                bytes->endsWith(LetterFile::joinLines(LetterFile::terminatorLines(dictExt))))
                << name.toStdString();
            const auto entries = LetterFile::readEntries(*bytes, dictExt);
            EXPECT_FALSE(entries.incomplete) << name.toStdString();
            EXPECT_LE(entries.entries.size(), Import::MaxEntriesPerFile) << name.toStdString();
            for (const LetterFile::Entry& entry : entries.entries) {
                ASSERT_FALSE(Import::whyUnreachable(entry.head)) << entry.head.toStdString();
                ASSERT_EQ(LetterFile::fileLetter(entry.head), QString(QLatin1Char(letter)));
                ASSERT_FALSE(entry.translation.isEmpty()) << entry.head.toStdString();
                ASSERT_LE(entry.translation.size(), Import::MaxTranslationLength);
            }
            total += entries.entries.size();
        }
        std::cout << dictExt.toStdString() << ": " << total << " entries\n";
        EXPECT_GT(total, 50000);
    }
    // Beside them, the FreeDict authors and the licence of their work.
    QFile credits(Directory + QStringLiteral("ZDROJE.txt"));
    ASSERT_TRUE(credits.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(credits.readAll());
    for (const char* part :
         {"(freedict-eng-ces)", "(freedict-ces-eng)", "Michael Bunk", "GNU General Public License"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
}

TEST_F(ImportedDictionary, EverydayMeaningsComeFirstAndOrdinaryTextIsMostlyFound)
{
    const auto check = [](const QString& dictExt, const char* words, const char* meanings) {
        const TranslationRun run = translate(Directory, dictExt, QString::fromUtf8(words));
        const QStringList expected = QString::fromUtf8(meanings).split(u' ');
        ASSERT_EQ(run.lines.size(), expected.size()) << run.lines.join(u'\n').toStdString();
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const QString line = run.lines[i].section(TranslateHandler::ResultSeparator, 1);
            EXPECT_EQ(line.section(u';', 0, 0), expected[i]) << run.lines[i].toStdString();
        }
    };
    check(LetterFile::EnglishToCzech, "house water tea dog", "dům voda čaj pes");
    check(LetterFile::CzechToEnglish, "voda čaj pes dům", "water tea dog house");

    EXPECT_GE(coverage("English paragraph", LetterFile::EnglishToCzech, EnglishText), 0.95);
    EXPECT_GE(coverage("Czech dictionary words", LetterFile::CzechToEnglish, CzechWords), 0.95);
    EXPECT_GE(coverage("Czech paragraph", LetterFile::CzechToEnglish, CzechText), 0.5);
}

TEST_F(ImportedDictionary, EverydayFormsAreFoundThroughTheirBaseForms)
{
    BaseForms baseForms;
    if (!baseForms.waitUntilReady(Language::Czech) || !baseForms.waitUntilReady(Language::English))
        GTEST_SKIP() << "no Hunspell dictionaries";
    // Each word with the base form its first line names.
    const auto check = [&](const QString& dictExt, const char* words, const char* bases) {
        const TranslationRun run =
            translate(Directory, dictExt, QString::fromUtf8(words), &baseForms);
        EXPECT_TRUE(run.unknown.isEmpty()) << run.unknown.join(u' ').toStdString();
        const QStringList typed = QString::fromUtf8(words).split(u' ');
        const QStringList expected = QString::fromUtf8(bases).split(u' ');
        for (qsizetype i = 0; i < typed.size(); ++i) {
            const QString first =
                typed[i] + TranslateHandler::ResultSeparator + u'(' + expected[i] + u')';
            EXPECT_TRUE(std::any_of(run.lines.cbegin(), run.lines.cend(),
                                    [&](const QString& line) { return line.startsWith(first); }))
                << first.toStdString() << "\n"
                << run.lines.join(u'\n').toStdString();
        }
    };
    check(LetterFile::CzechToEnglish,
          "psa psem člověka lidmi práci kterou svou pokoji domem stole dnem ženou praze německu "
          "dětmi vzala přišla odešli knihu městě chodila chtěla",
          "pes pes člověk člověk práce který svůj pokoj dům stůl den žena praha německo dítě vzít "
          "přijít odejít kniha město chodit chtít");
    check(LetterFile::EnglishToCzech, "blushes sighed griefs", "blush sigh grief");
    // The paragraph that was a third unknown is nearly all found now.
    const TranslationRun paragraph =
        translate(Directory, LetterFile::CzechToEnglish, CzechText, &baseForms);
    EXPECT_LE(paragraph.unknown.size(), 2) << paragraph.unknown.join(u' ').toStdString();
}
