#include "ArticleParser.h"
#include "Dictd.h"
#include "DictionaryBuilder.h"
#include "LetterFileWriter.h"

#include "TranslationRun.h"

#include "dictionary/FileWriter.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LookupTable.h"
#include "support/LetterFiles.h"

#include <gtest/gtest.h>

using namespace Import;

namespace
{

DictionaryBuilder fixtureBuilder()
{
    QString error;
    const auto load = [&error](const char* name) {
        const auto dictionary = Dictd::load(u(SLOVNIK_TEST_DATA "/dictd/") + u(name), &error);
        EXPECT_TRUE(dictionary) << error.toStdString();
        return dictionary.value_or(Dictd::Dictionary{});
    };
    DictionaryBuilder builder;
    builder.addEnglishCzech(load("eng-ces"));
    builder.addCzechEnglish(load("ces-eng"));
    return builder;
}

QString translationOf(const DirectionResult& result, const char* head)
{
    for (const BuiltEntry& entry : result.entries) {
        if (entry.head == u(head))
            return entry.translation;
    }
    return u("(none)");
}

// Imports the fixtures into `dir` the way slovnik-import does; returns the English-Czech outcome.
WriteOutcome importFixtures(const TempDataDir& dir)
{
    const DictionaryBuilder builder = fixtureBuilder();
    SafeFileWriter writer;
    const WriteOutcome english = writeLetterFiles(dir.path(), LetterFile::EnglishToCzech,
                                                  builder.buildEnglishCzech().entries, writer);
    EXPECT_TRUE(writeLetterFiles(dir.path(), LetterFile::CzechToEnglish,
                                 builder.buildCzechEnglish(true).entries, writer)
                    .failures.isEmpty());
    EXPECT_TRUE(english.failures.isEmpty());
    return english;
}

} // namespace

TEST(ArticleParser, KeepsShortNotesExplanationsAndTheHeadwordLinesSpelling)
{
    const Sense note =
        parseArticle(u("abyssinia"), u("abyssinia\n [zem] Habeš (dnes Etiopie)\n")).senses.value(0);
    EXPECT_EQ(note.text, u("Habeš (dnes Etiopie)")); // short notes stay
    EXPECT_EQ(note.core, u("Habeš"));
    // An explanation is one meaning, commas and all; without a headword line every line is one.
    const QString explanation = u("narážka na bajku o muži, který spálil stodolu");
    const QList<Sense> senses = parseArticle(u("x"), explanation + u("\n")).senses;
    EXPECT_EQ(senses.size(), 1);
    EXPECT_EQ(senses.value(0).text, explanation);
    // The head as the headword line spells it, pronunciation left out.
    EXPECT_EQ(parseArticle(u("ani ani"), u("ani ... ani /ˈaɲi ˈaɲi/\nneither...nor\n")).head,
              u("ani ... ani"));
}

TEST(DictionaryBuilder, MergesSensesRanksEverydayMeaningsFirstAndCountsWhatItSkips)
{
    const DirectionResult english = fixtureBuilder().buildEnglishCzech();
    // "domácnost" twice, "dům" used most often, "house (styl hudby)" a field label and the
    // head itself, "ubytovat" a verb among nouns.
    EXPECT_EQ(translationOf(english, "HOUSE"),
              u("dům; domácnost; firma; ubytovat; house (styl hudby);"));
    EXPECT_EQ(translationOf(english, "ACID"), u("kyselý; kyselina;")); // explanation dropped
    EXPECT_EQ(translationOf(english, "DOG"), u("pes; mizera; lump; pronásledovat;"));
    EXPECT_EQ(translationOf(english, "STORE"), u("sklad; zásoba; obchodní dům;"));
    EXPECT_EQ(english.skipped[Skip::MultiWordHead], 2); // "6 AM", "family house"
    EXPECT_EQ(english.skipped[Skip::NotAWord], 2);      // "be!", "co-operate"
    EXPECT_EQ(english.skipped[Skip::NotEncodable], 1);  // "smørrebrød"
    EXPECT_EQ(english.skipped[Skip::NoTranslation], 1); // "gig"
    EXPECT_EQ(english.skipped.total(), 6);

    EXPECT_FALSE(whyUnreachable(u("čaj")));
    EXPECT_FALSE(whyUnreachable(u("snake_case")));
    EXPECT_EQ(whyUnreachable(u("_x")), Skip::NotAWord);     // its file is none of the 52
    EXPECT_EQ(whyUnreachable(u("straße")), Skip::NotAWord); // STRASSE would never be found again
}

TEST(DictionaryBuilder, InvertsSingleCzechWordsAndLimitsTheTranslationLine)
{
    const DirectionResult czech = fixtureBuilder().buildCzechEnglish(true);
    EXPECT_EQ(translationOf(czech, "PES"), u("dog; hound")); // its own, then inverted ones
    EXPECT_EQ(translationOf(czech, "DŮM"), u("house"));      // "rodinný dům" is no single word
    EXPECT_EQ(translationOf(czech, "RODINA"), u("family house")); // "familyhouse" mended
    EXPECT_EQ(translationOf(czech, "ČAJ"), u("tea"));
    // 6 hodin dopoledne, rodinný dům, obchodní dům, obložený chlebíček
    EXPECT_EQ(czech.notInverted, 4);
    EXPECT_EQ(translationOf(fixtureBuilder().buildCzechEnglish(false), "DŮM"), u("(none)"));

    QStringList many;
    for (int i = 0; i < 30; ++i)
        many.append(u("význam%1").arg(i, 2, 10, QLatin1Char('0')));
    // Ten meanings of 8 letters and their separators fill 98 of the 100 characters.
    EXPECT_EQ(translationLine(many, LetterFile::EnglishToCzech),
              many.first(10).join(u("; ")) + ';');
    const QString cut = translationLine({u("slovo ").repeated(40).trimmed(), u("jiné")},
                                        LetterFile::CzechToEnglish);
    EXPECT_LE(cut.size(), MaxTranslationLength);
    EXPECT_TRUE(cut.endsWith(u("slovo…"))) << cut.toStdString();
}

TEST(LetterFileWriter, WritesExactLetterFiles)
{
    TempDataDir dir;
    importFixtures(dir);
    EXPECT_EQ(dir.bytes(u("t.dta")), QByteArray("TEA\r\n\xe8"
                                                "aj; \xe8"
                                                "ajov\xfd;\r\nTNT\r\nTNT;\r\nEnd\r\n"));
    EXPECT_EQ(dir.bytes(u("c.cze")), QByteArray("\xc8"
                                                "AJ\r\ntea\r\n\xc8"
                                                "AJOV\xdd\r\ntea\r\nend\r\nend\r\n"));
    // Letters without entries get a file all the same: all 52 are there.
    EXPECT_EQ(dir.bytes(u("q.cze")), QByteArray("end\r\nend\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 52);
}

TEST(LetterFileWriter, MergingKeepsLearnedEntriesByteForByteAndAddsOnlyNewHeads)
{
    TempDataDir dir;
    // Learned entries, one of them a head the import also has (in another letter case), and
    // a line after the terminator that learning would keep.
    const QByteArray learned = TempDataDir::crlf(lines({"HOBIT", "hobit;", "house", "barák;"}));
    dir.writeBytes(u("h.dta"), learned + "End\r\nstray\r\n");
    dir.writeLines(u("p.cze"), lines({"PES", "doggy", "end", "end"}));

    importFixtures(dir);
    const QByteArray merged = dir.bytes(u("h.dta"));
    EXPECT_EQ(merged, learned + TempDataDir::crlf(lines({"HANDFUL", "hrst (něčeho);", "HOUSES",
                                                         "domy;", "End", "stray"})));
    EXPECT_EQ(dir.bytes(u("p.cze")),
              TempDataDir::crlf(lines({"PES", "doggy", "PRONÁSLEDOVAT", "dog", "end", "end"})));

    // A second import finds everything there already and changes nothing.
    const WriteOutcome again = importFixtures(dir);
    EXPECT_EQ(again.written, 0);
    EXPECT_EQ(again.skipped[Skip::AlreadyThere], 12);
    EXPECT_EQ(dir.bytes(u("h.dta")), merged);
}

TEST(LetterFileWriter, AFullLetterFileKeepsTheHeadsWithMostMeanings)
{
    TempDataDir dir;
    QStringList full;
    for (int i = 0; i < MaxEntriesPerFile - 2; ++i)
        full << u("K%1").arg(i) << u("k;");
    dir.writeLines(u("k.dta"), full << u("End"));

    const QList<BuiltEntry> entries = {
        {u("KA"), u("a;"), 1}, {u("KB"), u("b;"), 3}, {u("KC"), u("c;"), 2}, {u("K7"), u("x;"), 9}};
    SafeFileWriter writer;
    const WriteOutcome outcome =
        writeLetterFiles(dir.path(), LetterFile::EnglishToCzech, entries, writer);
    EXPECT_EQ(outcome.skipped[Skip::FileFull], 1);
    EXPECT_EQ(outcome.skipped[Skip::AlreadyThere], 1);
    const auto table = LetterFile::LookupTable::fromBytes(dir.bytes(u("k.dta")));
    EXPECT_EQ(table.size(), MaxEntriesPerFile);
    EXPECT_EQ(table.translationsOf(u("kb")), QStringList{u("b;")});
    EXPECT_EQ(table.translationsOf(u("kc")), QStringList{u("c;")});
    EXPECT_TRUE(table.translationsOf(u("ka")).isEmpty());
}
