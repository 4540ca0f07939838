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
