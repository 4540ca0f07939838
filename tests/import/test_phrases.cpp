#include "DictionaryBuilder.h"
#include "LetterFileWriter.h"

#include "dictionary/FileWriter.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "support/LetterFiles.h"

#include <gtest/gtest.h>

using namespace Import;

TEST(Phrases, GoIntoTheirFirstLettersFileUnlessTheirTranslationIsTheirWordsOwn)
{
    Dictd::Dictionary english;
    for (const auto& [head, body] : {std::pair{"it", "to"},
                                     {"is", "je"},
                                     {"it is", "to je"},
                                     {"of course", "samozřejmě"},
                                     {"course", "kurs"},
                                     {"give up", "vzdát se"},
                                     {"family", "rodina"},
                                     {"house", "dům"},
                                     {"family house", "rodinný dům"}})
        english.articles.append({u(head), u(head) + '\n' + u(body) + '\n'});
    DictionaryBuilder builder;
    builder.addEnglishCzech(english);
    const DirectionResult built = builder.buildEnglishCzech();
    EXPECT_EQ(built.skipped[Skip::TransparentPhrase], 1); // family house
    EXPECT_EQ(built.skipped[Skip::GrammarPhrase], 1);     // it is
    EXPECT_EQ(built.phrases, 2);
    EXPECT_EQ(whyUnreachable(u("one two three four five")), Skip::LongPhrase);

    TempDataDir dir;
    SafeFileWriter writer;
    writeLetterFiles(dir.path(), LetterFile::EnglishToCzech, built.entries, writer);
    writeLetterFiles(dir.path(), LetterFile::CzechToEnglish,
                     builder.buildCzechEnglish(true).entries, writer);
    EXPECT_EQ(dir.bytes(u("o.dta")), TempDataDir::crlf(lines({"OF COURSE", "samozřejmě;", "End"})));
    EXPECT_EQ(LetterFile::splitLines(dir.bytes(u("v.cze"))),
              lines({"VZDÁT SE", "give up", "end", "end"}));
    EXPECT_FALSE(dir.bytes(u("t.cze")).contains("TO JE"));
}
