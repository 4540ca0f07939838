// The dictionary that the build imported from Debian's FreeDict packages, checked through the
// same lookup the program uses. The build makes it before this test; when it is not there,
// the test says so and skips.
#include "DictionaryBuilder.h"
#include "LetterFileWriter.h"
#include "TranslationRun.h"

#include "dictionary/LetterFile.h"
#include "translate/WordSplitter.h"

#include <QDir>
#include <gtest/gtest.h>
#include <iostream>

namespace
{

const QString Directory = QStringLiteral(SLOVNIK_IMPORTED_DICTIONARY "/");

// Everyday prose, not picked from the dictionary.
const QString EnglishText = QStringLiteral(
    "Every morning my neighbour walks her old dog along the river. She usually stops at the small "
    "shop on the corner to buy bread, milk and fresh vegetables. Yesterday it was raining, so she "
    "stayed at home, made a cup of tea and read a book about the history of the town. In the "
    "evening "
    "her children came to visit, and they talked about their work, their friends and their plans "
    "for "
    "the summer holidays.");
const QString CzechText = QString::fromUtf8("Každé ráno chodí moje sousedka se starým psem podél "
                                            "řeky. Obvykle se zastaví v malém obchodě na "
                                            "rohu, kde koupí chléb, mléko a čerstvou zeleninu. "
                                            "Včera pršelo, a tak zůstala doma, uvařila si "
                                            "čaj a četla knihu o historii města. Večer za ní "
                                            "přišly děti a mluvili o své práci, o přátelích a "
                                            "o plánech na letní prázdniny.");
// Czech words as a dictionary lists them, many with diacritics.
const QString CzechWords = QString::fromUtf8(
    "čaj dům kůň řeka město žena muž dítě škola práce přítel kniha voda chléb mléko pes kočka den "
    "noc rok čas ruka hlava oko srdce slunce měsíc hvězda strom les pole moře cesta auto vlak "
    "dobrý špatný velký malý nový starý krásný rychlý pomalý teplý studený bílý černý zelený "
    "být mít jít vidět slyšet říct dělat psát číst spát jíst pít mluvit myslet vědět chtít");

QString firstMeaning(const QStringList& lines, const QString& word)
{
    const QString prefix = word + TranslateHandler::ResultSeparator;
    for (const QString& line : lines) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).section(u';', 0, 0);
    }
    return {};
}

// The share of the text's words found, printed with the words that were not.
double coverage(const char* what, const QString& dictExt, const QString& text)
{
    const TranslationRun result = translate(Directory, dictExt, text);
    const auto words = WordSplitter::split(text).size();
    const double share =
        1.0 - static_cast<double>(result.unknown.size()) / static_cast<double>(words);
    std::cout << what << ": " << words - result.unknown.size() << " of " << words
              << " words found (" << qRound(share * 1000) / 10.0
              << " %); not found: " << result.unknown.join(u' ').toStdString() << std::endl;
    return share;
}

class ImportedDictionary : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!QFile::exists(Directory + QStringLiteral("a.dta")))
            GTEST_SKIP() << "no imported dictionary at " << Directory.toStdString();
    }
};

} // namespace

TEST_F(ImportedDictionary, EveryLetterFileIsWellFormedAndWithinItsLimit)
{
    qsizetype total[2] = {0, 0};
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        for (int d = 0; d < 2; ++d) {
            const QString dictExt =
                d == 0 ? LetterFile::EnglishToCzech : LetterFile::CzechToEnglish;
            const QString name = QLatin1Char(letter) + dictExt;
            const auto bytes = LetterFile::readFile(Directory + name);
            ASSERT_TRUE(bytes && !bytes->isEmpty()) << name.toStdString();
            const QStringList terminator = LetterFile::terminatorLines(dictExt);
            EXPECT_TRUE(bytes->endsWith(LetterFile::joinLines(terminator))) << name.toStdString();
            const auto entries = LetterFile::readEntries(*bytes, dictExt);
            EXPECT_FALSE(entries.incomplete) << name.toStdString();
            EXPECT_LE(entries.entries.size(), Import::MaxEntriesPerFile) << name.toStdString();
            EXPECT_EQ(LetterFile::splitLines(*bytes).size(),
                      2 * entries.entries.size() + terminator.size());
            for (const LetterFile::Entry& entry : entries.entries) {
                ASSERT_FALSE(Import::whyUnreachable(entry.head)) << entry.head.toStdString();
                ASSERT_EQ(entry.head, entry.head.toUpper());
                ASSERT_EQ(LetterFile::fileLetter(entry.head), QString(QLatin1Char(letter)));
                ASSERT_FALSE(entry.translation.isEmpty()) << entry.head.toStdString();
                ASSERT_LE(entry.translation.size(), Import::MaxTranslationLength);
            }
            total[d] += entries.entries.size();
        }
    }
    std::cout << "entries: " << total[0] << " English-Czech, " << total[1] << " Czech-English"
              << std::endl;
    EXPECT_GT(total[0], 50000);
    EXPECT_GT(total[1], 40000);
}

TEST_F(ImportedDictionary, EverydayWordsAreFoundWithTheirEverydayMeaningFirst)
{
    const TranslationRun english =
        translate(Directory, LetterFile::EnglishToCzech, QStringLiteral("house water tea dog"));
    EXPECT_TRUE(english.unknown.isEmpty()) << english.unknown.join(u' ').toStdString();
    EXPECT_EQ(firstMeaning(english.lines, QStringLiteral("house")), QString::fromUtf8("dům"));
    EXPECT_EQ(firstMeaning(english.lines, QStringLiteral("water")), QString::fromUtf8("voda"));
    EXPECT_EQ(firstMeaning(english.lines, QStringLiteral("tea")), QString::fromUtf8("čaj"));
    EXPECT_EQ(firstMeaning(english.lines, QStringLiteral("dog")), QString::fromUtf8("pes"));

    const TranslationRun czech =
        translate(Directory, LetterFile::CzechToEnglish, QString::fromUtf8("voda čaj pes dům"));
    EXPECT_TRUE(czech.unknown.isEmpty()) << czech.unknown.join(u' ').toStdString();
    EXPECT_EQ(firstMeaning(czech.lines, QString::fromUtf8("voda")), QStringLiteral("water"));
    EXPECT_EQ(firstMeaning(czech.lines, QString::fromUtf8("čaj")), QStringLiteral("tea"));
    EXPECT_EQ(firstMeaning(czech.lines, QString::fromUtf8("pes")), QStringLiteral("dog"));
    EXPECT_EQ(firstMeaning(czech.lines, QString::fromUtf8("dům")), QStringLiteral("house"));
}

TEST_F(ImportedDictionary, OrdinaryTextIsMostlyFound)
{
    EXPECT_GE(coverage("English paragraph", LetterFile::EnglishToCzech, EnglishText), 0.95);
    EXPECT_GE(coverage("Czech dictionary words", LetterFile::CzechToEnglish, CzechWords), 0.95);
    EXPECT_GE(coverage("Czech paragraph", LetterFile::CzechToEnglish, CzechText), 0.5);
}
