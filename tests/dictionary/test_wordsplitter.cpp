#include "dictionary/WordSplitter.h"

#include <gtest/gtest.h>

using WordSplitter::split;

namespace
{

QStringList words(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* word : list)
        out.append(QString::fromUtf8(word));
    return out;
}

} // namespace

TEST(WordSplitter, SeparatorsDigitsAndPunctuationEndWords)
{
    EXPECT_EQ(split(u"A big House."), words({"A", "big", "House"}));
    EXPECT_EQ(split(u"it's 2 o'clock"), words({"it", "s", "o", "clock"}));
    EXPECT_EQ(split(u"co-operate"), words({"co", "operate"}));
    EXPECT_EQ(split(u"  \t1984, .;!\r\n"), QStringList());
    EXPECT_EQ(split(u"one\r\ntwo\nthree\rfour\tfive"),
              words({"one", "two", "three", "four", "five"}));
    EXPECT_EQ(split(u"last"), words({"last"}));
}

TEST(WordSplitter, TheSixCharactersBetweenTheCasesAreWordCharacters)
{
    EXPECT_EQ(split(u"snake_case [x] a\\b ^up `q"),
              words({"snake_case", "[x]", "a\\b", "^up", "`q"}));
    EXPECT_EQ(split(u"{x}|~@"), words({"x"}));
}

TEST(WordSplitter, CzechWordsStayWhole)
{
    EXPECT_EQ(split(QString::fromUtf8("Čaj, kůň a ŘEKA; ďábel")),
              words({"Čaj", "kůň", "a", "ŘEKA", "ďábel"}));
    EXPECT_EQ(split(QString::fromUtf8("Žluťoučký úl, Ťuk! Ódy")),
              words({"Žluťoučký", "úl", "Ťuk", "Ódy"}));
    // Letters outside the code page, and letters without a base letter a-z, still separate.
    EXPECT_EQ(split(QString::fromUtf8("mañana łódź straße")),
              words({"ma", "ana", "ódź", "stra", "e"}));
    EXPECT_EQ(split(QString::fromUtf8("ä ö ü ľ ĺ ŕ")), words({"ä", "ö", "ü", "ľ", "ĺ", "ŕ"}));
}

TEST(WordSplitter, ContractionsStayWholeWhenAskedAndSentenceStartsAreMarked)
{
    const auto marked = [](QStringView text, bool keepContractions) {
        QStringList out;
        for (const WordSplitter::Token& token : WordSplitter::tokens(text, keepContractions))
            out.append((token.sentenceStart ? "^" : "") + token.text);
        return out;
    };
    EXPECT_EQ(marked(u"I don’t know. It's John's, isn't it? 'Tis 2 o'clock!\nrock'n'roll "
                     u"'word' students' x'y we'd",
                     true),
              words({"^I", "don't", "know", "^It's", "John's", "isn't", "it", "^'Tis", "o'clock",
                     "^rock", "n", "roll", "word", "students", "x", "y", "we'd"}));
    EXPECT_EQ(marked(u"it's", false), words({"^it", "s"}));
}
