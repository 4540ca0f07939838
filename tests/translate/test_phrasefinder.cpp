#include "dictionary/FileWriter.h"
#include "dictionary/HeadIndex.h"
#include "state/Module1.h"
#include "support/LetterFiles.h"
#include "support/RecordingSpeech.h"
#include "translate/PhraseFinder.h"
#include "translate/TranslateHandler.h"
#include "translate/TranslationView.h"

#include <gtest/gtest.h>

namespace
{

// "gave" is a form of "give", "školy" of "škola".
struct FakeBaseForms final : BaseFormSource {
    QStringList baseFormsOf(const QString& word, Language, const IsHeadWord& isHead) const override
    {
        const QString base = word == u("gave") ? u("give") : word == u("školy") ? u("škola") : "";
        return !base.isEmpty() && isHead(base) ? QStringList{base} : QStringList{};
    }
};

struct Press {
    QString output;
    QStringList speech;
};

Press press(const QString& dataPath, const QString& dictExt, const QString& text, bool phrases)
{
    struct View final : TranslationView {
        QString inputText() const override { return input; }
        void setInputText(const QString&) override {}
        void setOutputText(const QString& text) override { output = text; }
        void setMousePointer(MousePointer) override {}
        QString input, output;
    } view;
    struct NoAnswers final : TranslationQuestion {
        QString ask(const QString&, const QString&) override { return {}; }
    } answers;
    Module1::resetAll();
    Module1::DataPath = dataPath;
    Module1::DictExt = dictExt;
    view.input = text;
    RecordingSpeech speech;
    SafeFileWriter writer;
    HeadIndex heads;
    PhraseFinder finder;
    const FakeBaseForms baseForms;
    TranslateHandler(view, speech, answers, writer, heads, &baseForms, nullptr,
                     phrases ? &finder : nullptr)
        .run();
    return {view.output, speech.log->calls};
}

struct Case {
    const char* dictExt;
    const char* text;
    const char* phraseLines; // what follows the word lines
    const char* spoken;      // what is spoken besides what the words speak
};

class PhraseLines : public ::testing::TestWithParam<Case>
{
};

} // namespace

TEST_P(PhraseLines, FollowTheUnchangedWordLines)
{
    TempDataDir data;
    data.writeLines("o.dta", lines({"OF", "z;", "OF COURSE", "samozřejmě;", "End"}));
    data.writeLines("c.dta", lines({"COURSE", "kurs;", "End"}));
    data.writeLines("a.dta", lines({"A", "člen;", "A LOT", "spousta;", "A LOT OF", "mnoho;",
                                    "ARE IN", "v;", "End"}));
    data.writeLines("i.dta", lines({"IN CHARGE OF", "odpovědný za;", "End"}));
    data.writeLines("g.dta", lines({"GIVE UP", "vzdát se;", "GAVE", "dal;", "End"}));
    data.writeLines("s.cze",
                    lines({"STŘEDNÍ ŠKOLA", "high school", "STŘEDNÍ", "middle", "end", "end"}));
    const Case& c = GetParam();
    const Press without = press(data.path(), u(c.dictExt), u(c.text), false);
    const Press with = press(data.path(), u(c.dictExt), u(c.text), true);
    EXPECT_EQ(with.output, without.output + u(c.phraseLines));
    EXPECT_EQ(with.speech, without.speech + (*c.spoken ? QStringList{u(c.spoken)} : QStringList{}));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PhraseLines,
    ::testing::Values(
        Case{".dta", "Of course!", "of course ........... samozřejmě;\r\n", ""},
        Case{".dta", "A lot of course", "a lot of ........... mnoho;\r\n", ""}, // longest first
        Case{".dta", "of course, of course", // each occurrence once
             "of course ........... samozřejmě;\r\nof course ........... samozřejmě;\r\n", ""},
        Case{".dta", "are in charge of", "in charge of ........... odpovědný za;\r\n", ""},
        Case{".dta", "He gave up", "gave up ........... (give up) vzdát se;\r\n", ""},
        Case{".dta", "It is of. Course", "", ""}, // never over a sentence end
        Case{".cze", "Střední školy", "střední školy ........... (střední škola) high school\r\n",
             "speak high school"}));
