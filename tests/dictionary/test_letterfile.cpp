#include "dictionary/LetterFile.h"
#include "support/LetterFiles.h"

#include <gtest/gtest.h>

using namespace LetterFile;

TEST(LetterFileName, LowersTheFirstLetterAndUsesTheBaseLetterOfCzechLetters)
{
    EXPECT_EQ(fileName("/d/", u("House"), ".dta"), "/d/h.dta");
    EXPECT_EQ(fileName("/d/", u("čaj"), ".cze"), "/d/c.cze");
    EXPECT_EQ(fileName("/d/", u("Řeka"), ".cze"), "/d/r.cze");
    EXPECT_EQ(fileName("/d/", u("ůl"), ".cze"), "/d/u.cze");
    EXPECT_EQ(fileName("/d/", u("Ťuk"), ".cze"), "/d/t.cze");
    EXPECT_EQ(fileName("/d/", u("ěx"), ".cze"), "/d/e.cze");
    // The six characters between the capitals and the small letters name a file of their
    // own, still inside the data directory.
    EXPECT_EQ(fileName("/d/", u("_x"), ".dta"), "/d/_.dta");
    EXPECT_EQ(fileName("/d/", u("\\x"), ".dta"), "/d/\\.dta");
}

TEST(LetterFileLines, SplitsOnCrLfLfAndCrAndKeepsEverythingElse)
{
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), lines({"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), lines({"a", "", "b"}));
    EXPECT_EQ(splitLines("a\n\rb"), lines({"a", "", "b"}));
    EXPECT_TRUE(splitLines("").isEmpty());
    EXPECT_EQ(splitLines("  padded \t\r\n"), lines({"  padded \t"}));
    EXPECT_EQ(splitLines("\xe8\x61j\r\n"), lines({"čaj"}));
    EXPECT_EQ(joinLines(lines({"čaj", "", "x"})), QByteArray("\xe8\x61j\r\n\r\nx\r\n"));
}

TEST(LetterFileTerminator, ExactSpellingOrOnlyEndLinesAfterIt)
{
    const QStringList dta = lines({"END", "konec;", "PEAR", "hruška;", "End"});
    EXPECT_FALSE(isTerminator(dta, 0, ".dta")); // a learned entry END
    EXPECT_TRUE(isTerminator(dta, 4, ".dta"));

    EXPECT_TRUE(isTerminator(lines({"A", "b", "END"}), 2, ".dta")); // hand-made, last line
    EXPECT_TRUE(isTerminator(lines({"A", "b", "end", "END"}), 2, ".dta"));
    EXPECT_FALSE(isTerminator(lines({"end", "x", "End"}), 0, ".dta"));
    EXPECT_FALSE(isTerminator(lines({"end ", "x"}), 0, ".dta"));

    const QStringList cze = lines({"END", "konec", "VODA", "water", "end", "end"});
    EXPECT_FALSE(isTerminator(cze, 0, ".cze"));
    EXPECT_TRUE(isTerminator(cze, 4, ".cze"));
    EXPECT_TRUE(isTerminator(lines({"End", "end"}), 0, ".cze"));
}

TEST(LetterFileEntries, ListingStopsOnlyAtTheTerminatorAndFlagsAMissingTranslation)
{
    const QByteArray dta = TempDataDir::crlf(
        lines({"APPLE", "jablko;", "END", "konec;", "Zed", "end", "End", "LOST", "x"}));
    const Entries listed = readEntries(dta, ".dta");
    EXPECT_FALSE(listed.incomplete);
    ASSERT_EQ(listed.entries.size(), 3);
    EXPECT_EQ(listed.entries[1], (Entry{"END", "konec;"}));
    EXPECT_EQ(listed.entries[2], (Entry{"Zed", "end"}));

    const QByteArray cze =
        TempDataDir::crlf(lines({"KONEC", "end", "VODA", "water", "end", "end"}));
    EXPECT_EQ(readEntries(cze, ".cze").entries.size(), 2);

    EXPECT_TRUE(readEntries(TempDataDir::crlf(lines({"A", "b", "C"})), ".dta").incomplete);
    EXPECT_TRUE(readEntries(QByteArray(), ".dta").entries.isEmpty());
    EXPECT_TRUE(readEntries(TempDataDir::crlf(lines({"end"})), ".dta").entries.isEmpty());
}

TEST(LetterFileLookup, ReachesEntriesUpToExactEndAndKeepsDuplicatesInOrder)
{
    const QByteArray bytes = TempDataDir::crlf(
        lines({"Apple", "Jablko;", "END", "konec;", "APPLE", "jabloň;", "End", "AFTER", "po;"}));
    const LookupTable table = LookupTable::fromBytes(bytes);
    EXPECT_EQ(table.translationsOf("apple"), lines({"jablko;", "jabloň;"}));
    EXPECT_EQ(table.translationsOf("end"), lines({"konec;"}));
    EXPECT_TRUE(table.translationsOf("after").isEmpty());

    // A Czech-to-English file has no terminator the lookup knows: "end"/"end" is one more pair.
    const LookupTable cze =
        LookupTable::fromBytes(TempDataDir::crlf(lines({"ČAJ", "Tea", "end", "end"})));
    EXPECT_EQ(cze.translationsOf(u("čaj")), lines({"tea"}));
    EXPECT_EQ(cze.translationsOf("end"), lines({"end"}));

    // A head line without its translation line is ignored.
    EXPECT_EQ(LookupTable::fromBytes(TempDataDir::crlf(lines({"A", "b", "C"}))).size(), 1);
}
