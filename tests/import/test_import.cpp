#include "ArticleParser.h"
#include "Dictd.h"
#include "DictionaryBuilder.h"
#include "LetterFileWriter.h"

#include "TranslationRun.h"

#include "dictionary/FileWriter.h"
#include "dictionary/LetterFile.h"
#include "support/LetterFiles.h"

#include <gtest/gtest.h>

using namespace Import;

namespace
{

QString operator""_q(const char16_t* text, size_t size)
{
    return QString::fromUtf16(text, static_cast<qsizetype>(size));
}

QStringList textsOf(const QList<Sense>& senses)
{
    QStringList texts;
    for (const Sense& sense : senses)
        texts.append(sense.text);
    return texts;
}

Dictd::Dictionary fixture(const char* name)
{
    QString error;
    const auto dictionary =
        Dictd::load(QStringLiteral(SLOVNIK_TEST_DATA "/dictd/") + QLatin1String(name), &error);
    EXPECT_TRUE(dictionary) << error.toStdString();
    return dictionary.value_or(Dictd::Dictionary{});
}

DictionaryBuilder fixtureBuilder()
{
    DictionaryBuilder builder;
    builder.addEnglishCzech(fixture("eng-ces"));
    builder.addCzechEnglish(fixture("ces-eng"));
    return builder;
}

QString translationOf(const DirectionResult& result, const QString& head)
{
    for (const BuiltEntry& entry : result.entries) {
        if (entry.head == head)
            return entry.translation;
    }
    return QStringLiteral("(none)");
}

// Imports the fixtures into `dir` the way slovnik-import does.
void importFixtures(const TempDataDir& dir)
{
    const DictionaryBuilder builder = fixtureBuilder();
    SafeFileWriter writer;
    EXPECT_TRUE(writeLetterFiles(dir.path(), LetterFile::EnglishToCzech,
                                 builder.buildEnglishCzech().entries, writer)
                    .failures.isEmpty());
    EXPECT_TRUE(writeLetterFiles(dir.path(), LetterFile::CzechToEnglish,
                                 builder.buildCzechEnglish(true).entries, writer)
                    .failures.isEmpty());
}

} // namespace

TEST(ArticleParser, StripsMarkupAndKeepsShortNotes)
{
    const ParsedArticle acid = parseArticle(
        u"acid"_q,
        u"acid <n>\n [chem] kyselina (Látka, která ve vodném roztoku odštěpuje ionty.)\n"_q);
    ASSERT_EQ(acid.senses.size(), 1);
    EXPECT_EQ(acid.senses[0], (Sense{u"kyselina"_q, u"kyselina"_q, u"n"_q, {u"chem"_q}}));

    EXPECT_EQ(textsOf(parseArticle(u"handful"_q, u"handful\nhrst ((něčeho))\n"_q).senses),
              QStringList{u"hrst (něčeho)"_q});
    EXPECT_EQ(textsOf(parseArticle(u"tnt"_q, u"TNT\n [voj] TNT ({en TNT})\n"_q).senses),
              QStringList{u"TNT"_q});
    EXPECT_EQ(textsOf(parseArticle(u"gig"_q, u"gig\n(n:)\n"_q).senses), QStringList{});
    EXPECT_EQ(
        textsOf(parseArticle(u"run"_q, u"run <v>\n [neprav] běžet\n         Note: run/ran/run\n"_q)
                    .senses),
        QStringList{u"běžet"_q});
    const ParsedArticle note =
        parseArticle(u"abyssinia"_q, u"abyssinia\n [zem] Habeš (dnes Etiopie)\n"_q);
    EXPECT_EQ(note.senses[0].text, u"Habeš (dnes Etiopie)"_q);
    EXPECT_EQ(note.senses[0].core, u"Habeš"_q);
}

TEST(ArticleParser, SplitsSynonymsAndNumberedSensesButNotExplanations)
{
    EXPECT_EQ(textsOf(parseArticle(u"dog"_q, u"dog\n [hovor] mizera, lump\n"_q).senses),
              (QStringList{u"mizera"_q, u"lump"_q}));
    EXPECT_EQ(
        textsOf(
            parseArticle(u"asi"_q, u"asi /ˈasi/\n1. about, approximately\n2. probably\n"_q).senses),
        (QStringList{u"about"_q, u"approximately"_q, u"probably"_q}));
    EXPECT_EQ(textsOf(parseArticle(u"store"_q, u"store\n1. obchodní dům; zásoba\n"_q).senses),
              (QStringList{u"obchodní dům"_q, u"zásoba"_q}));
    const QString explanation = u"narážka na bajku o muži, který spálil stodolu"_q;
    EXPECT_EQ(textsOf(parseArticle(u"x"_q, u"x\n"_q + explanation + u"\n"_q).senses),
              QStringList{explanation});
}

TEST(ArticleParser, TakesTheHeadAsTheHeadwordLineSpellsIt)
{
    EXPECT_EQ(parseArticle(u"cooperate"_q, u"co-operate\nspolupracovat\n"_q).head, u"co-operate"_q);
    EXPECT_EQ(parseArticle(u"aint"_q, u"ain't\n [zast] nejsi\n"_q).head, u"ain't"_q);
    EXPECT_EQ(parseArticle(u"ani ani"_q, u"ani ... ani /ˈaɲi ˈaɲi/\nneither...nor\n"_q).head,
              u"ani ... ani"_q);
    const ParsedArticle water = parseArticle(u"water"_q, u"water <n>\nvoda\n"_q);
    EXPECT_EQ(water.head, u"water"_q);
    EXPECT_EQ(water.senses[0].partOfSpeech, u"n"_q);
    // Without a headword line every line is a meaning.
    EXPECT_EQ(textsOf(parseArticle(u"tea"_q, u"čaj\n"_q).senses), QStringList{u"čaj"_q});
}

TEST(DictionaryBuilder, MergesSensesRanksEverydayMeaningsFirstAndDropsDuplicates)
{
    const DirectionResult english = fixtureBuilder().buildEnglishCzech();
    // "domácnost" twice, "dům" used most often, "house (styl hudby)" a field label and the
    // head itself, "ubytovat" a verb among nouns.
    EXPECT_EQ(translationOf(english, u"HOUSE"_q),
              u"dům; domácnost; firma; ubytovat; house (styl hudby);"_q);
    EXPECT_EQ(translationOf(english, u"DOG"_q),
              u"pes; mizera; lump; pronásledovat;"_q); // "pes" confirmed by ces-eng
    EXPECT_EQ(translationOf(english, u"ACID"_q), u"kyselý; kyselina;"_q);
    EXPECT_EQ(translationOf(english, u"STORE"_q), u"sklad; zásoba; obchodní dům;"_q);
    EXPECT_EQ(translationOf(english, u"BE"_q), u"být;"_q); // "be!" is no head word of its own

    EXPECT_EQ(english.sourceArticles, 29);
    EXPECT_EQ(english.skipped[Skip::MultiWordHead], 2); // "6 AM", "family house"
    EXPECT_EQ(english.skipped[Skip::NotAWord], 2);      // "be!", "co-operate"
    EXPECT_EQ(english.skipped[Skip::NotEncodable], 1);  // "smørrebrød"
    EXPECT_EQ(english.skipped[Skip::NoTranslation], 1); // "gig"
    EXPECT_EQ(english.skipped.total(), 6);
}

TEST(DictionaryBuilder, InvertsSingleCzechWordsAndMergesTheCzechEnglishDictionary)
{
    const DirectionResult czech = fixtureBuilder().buildCzechEnglish(true);
    EXPECT_EQ(translationOf(czech, u"PES"_q),
              u"dog; hound"_q);                            // its own meanings, then inverted ones
    EXPECT_EQ(translationOf(czech, u"DŮM"_q), u"house"_q); // "rodinný dům" is no single word
    EXPECT_EQ(translationOf(czech, u"SPOLUPRACOVAT"_q), u"co-operate"_q);
    EXPECT_EQ(translationOf(czech, u"RODINA"_q), u"family house"_q); // "familyhouse" mended
    EXPECT_EQ(translationOf(czech, u"ČAJ"_q), u"tea"_q);
    EXPECT_EQ(translationOf(czech, u"BĚŽET"_q), u"run"_q);
    EXPECT_EQ(translationOf(czech, u"HRST"_q), u"handful"_q);
    EXPECT_EQ(czech.sourceArticles, 6);
    EXPECT_EQ(czech.skipped[Skip::MultiWordHead], 1); // "ani ... ani"
    EXPECT_EQ(czech.notInverted,
              4); // 6 hodin dopoledne, rodinný dům, obchodní dům, obložený chlebíček

    const DirectionResult own = fixtureBuilder().buildCzechEnglish(false);
    EXPECT_EQ(own.entries.size(), 5);
    EXPECT_EQ(translationOf(own, u"DŮM"_q), u"(none)"_q);
}

TEST(DictionaryBuilder, KeepsOnlyHeadsThatALookupCanAskFor)
{
    EXPECT_FALSE(whyUnreachable(u"house"_q));
    EXPECT_FALSE(whyUnreachable(u"čaj"_q));
    EXPECT_FALSE(whyUnreachable(u"Ábel"_q));
    EXPECT_FALSE(whyUnreachable(u"snake_case"_q));
    EXPECT_EQ(whyUnreachable(u"6 AM"_q), Skip::MultiWordHead);
    EXPECT_EQ(whyUnreachable(u"co-operate"_q), Skip::NotAWord);
    EXPECT_EQ(whyUnreachable(u"24th"_q), Skip::NotAWord);
    EXPECT_EQ(whyUnreachable(u"_x"_q), Skip::NotAWord); // its file is none of the 52
    EXPECT_EQ(whyUnreachable(u""_q), Skip::NotAWord);
    EXPECT_EQ(whyUnreachable(u"mañana"_q), Skip::NotEncodable);
    EXPECT_EQ(whyUnreachable(u"straße"_q), Skip::NotAWord); // STRASSE would never be found again
}

TEST(DictionaryBuilder, LimitsTheTranslationLineAtWholeMeanings)
{
    QStringList many;
    for (int i = 0; i < 30; ++i)
        many.append(QStringLiteral("význam%1").arg(i, 2, 10, QLatin1Char('0')));
    // Ten meanings of 8 letters and their separators fill 98 of the 100 characters.
    EXPECT_EQ(translationLine(many, LetterFile::EnglishToCzech),
              many.first(10).join(u"; "_q) + u";"_q);
    EXPECT_EQ(translationLine(many.first(2), LetterFile::CzechToEnglish), u"význam00; význam01"_q);

    const QString longOne = u"slovo "_q.repeated(40).trimmed();
    const QString cut = translationLine({longOne, u"jiné"_q}, LetterFile::CzechToEnglish);
    EXPECT_LE(cut.size(), MaxTranslationLength);
    EXPECT_TRUE(cut.endsWith(u"slovo…"_q)) << cut.toStdString();
}

TEST(LetterFileWriter, WritesExactLetterFilesInBothDirections)
{
    TempDataDir dir;
    importFixtures(dir);
    EXPECT_EQ(dir.bytes(u"t.dta"_q),
              TempDataDir::crlf({u"TEA"_q, u"čaj; čajový;"_q, u"TNT"_q, u"TNT;"_q, u"End"_q}));
    EXPECT_EQ(dir.bytes(u"t.dta"_q), QByteArray("TEA\r\n\xe8"
                                                "aj; \xe8"
                                                "ajov\xfd;\r\nTNT\r\nTNT;\r\nEnd\r\n"));
    EXPECT_EQ(dir.bytes(u"c.cze"_q), QByteArray("\xc8"
                                                "AJ\r\ntea\r\n\xc8"
                                                "AJOV\xdd\r\ntea\r\nend\r\nend\r\n"));
    // Letters without entries get a file all the same: all 52 are there.
    EXPECT_EQ(dir.bytes(u"q.dta"_q), QByteArray("End\r\n"));
    EXPECT_EQ(dir.bytes(u"q.cze"_q), QByteArray("end\r\nend\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 52);
}

TEST(LetterFileWriter, MergingKeepsLearnedEntriesByteForByteAndAddsOnlyNewHeads)
{
    TempDataDir dir;
    // Learned entries, one of them a head the import also has (in another letter case), and
    // a line after the terminator that learning would keep.
    const QByteArray learned =
        TempDataDir::crlf({u"HOBIT"_q, u"hobit;"_q, u"house"_q, u"barák;"_q});
    dir.writeBytes(u"h.dta"_q, learned + "End\r\nstray\r\n");
    dir.writeLines(u"p.cze"_q, {u"PES"_q, u"doggy"_q, u"end"_q, u"end"_q});

    importFixtures(dir);
    const QByteArray merged = dir.bytes(u"h.dta"_q);
    EXPECT_TRUE(merged.startsWith(learned));
    EXPECT_EQ(merged.mid(learned.size()),
              TempDataDir::crlf({u"HANDFUL"_q, u"hrst (něčeho);"_q, u"HOUSES"_q, u"domy;"_q,
                                 u"End"_q, u"stray"_q}));
    EXPECT_EQ(dir.bytes(u"p.cze"_q), TempDataDir::crlf({u"PES"_q, u"doggy"_q, u"PRONÁSLEDOVAT"_q,
                                                        u"dog"_q, u"end"_q, u"end"_q}));

    // A second import finds everything there already and changes nothing.
    const QByteArray before = dir.bytes(u"h.dta"_q);
    const DictionaryBuilder builder = fixtureBuilder();
    SafeFileWriter writer;
    const WriteOutcome again = writeLetterFiles(dir.path(), LetterFile::EnglishToCzech,
                                                builder.buildEnglishCzech().entries, writer);
    EXPECT_EQ(again.written, 0);
    EXPECT_EQ(again.skipped[Skip::AlreadyThere], 12);
    EXPECT_EQ(dir.bytes(u"h.dta"_q), before);
}

TEST(LetterFileWriter, AFullLetterFileKeepsTheHeadsWithMostMeanings)
{
    TempDataDir dir;
    QStringList lines;
    for (int i = 0; i < MaxEntriesPerFile - 2; ++i)
        lines += {QStringLiteral("K%1").arg(i), QStringLiteral("k;")};
    lines.append(u"End"_q);
    dir.writeLines(u"k.dta"_q, lines);

    const QList<BuiltEntry> entries = {
        {u"KA"_q, u"a;"_q, 1}, {u"KB"_q, u"b;"_q, 3}, {u"KC"_q, u"c;"_q, 2}, {u"K7"_q, u"x;"_q, 9}};
    SafeFileWriter writer;
    const WriteOutcome outcome =
        writeLetterFiles(dir.path(), LetterFile::EnglishToCzech, entries, writer);
    EXPECT_TRUE(outcome.failures.isEmpty());
    EXPECT_EQ(outcome.written, 2);
    EXPECT_EQ(outcome.skipped[Skip::FileFull], 1);
    EXPECT_EQ(outcome.skipped[Skip::AlreadyThere], 1);
    const auto table = LetterFile::LookupTable::fromBytes(dir.bytes(u"k.dta"_q));
    EXPECT_EQ(table.size(), MaxEntriesPerFile);
    EXPECT_EQ(table.translationsOf(u"kb"_q), QStringList{u"b;"_q});
    EXPECT_EQ(table.translationsOf(u"kc"_q), QStringList{u"c;"_q});
    EXPECT_TRUE(table.translationsOf(u"ka"_q).isEmpty());
}

TEST(LetterFileWriter, ImportedWordsAreFoundByTheTranslationPass)
{
    TempDataDir dir;
    importFixtures(dir);
    EXPECT_EQ(
        translate(dir.path(), LetterFile::EnglishToCzech, u"House, WATER and tea!"_q).lines,
        (QStringList{u"house ........... dům; domácnost; firma; ubytovat; house (styl hudby);"_q,
                     u"water ........... voda; zalévat;"_q, u"and ........... Nenalezeno."_q,
                     u"tea ........... čaj; čajový;"_q}));
    EXPECT_EQ(translate(dir.path(), LetterFile::CzechToEnglish, u"Voda, čaj, PES."_q).lines,
              (QStringList{u"voda ........... water"_q, u"čaj ........... tea"_q,
                           u"pes ........... dog; hound"_q}));
}
