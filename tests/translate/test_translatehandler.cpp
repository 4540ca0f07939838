#include "dictionary/FileWriter.h"
#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "language/BaseFormSource.h"
#include "language/FormLookup.h"
#include "state/Module1.h"
#include "support/LetterFiles.h"
#include "support/RecordingSpeech.h"
#include "translate/TranslateHandler.h"
#include "translate/TranslationView.h"

#include <QDateTime>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

class FakeView final : public TranslationView
{
  public:
    QString inputText() const override { return input; }
    void setInputText(const QString& text) override { input = text; }
    void setOutputText(const QString& text) override
    {
        output = text;
        ++outputSets;
    }
    void setMousePointer(MousePointer p) override { pointer = p; }

    QString input;
    QString output;
    int outputSets = 0;
    MousePointer pointer = MousePointer::Default;
};

// Answers the learning questions from a queue, and notes what the window showed meanwhile.
class QueuedAnswers final : public TranslationQuestion
{
  public:
    explicit QueuedAnswers(const FakeView& view) : m_view(view) {}

    QString ask(const QString& prompt, const QString&) override
    {
        prompts.append(prompt);
        outputsWhileAsking.append(m_view.output);
        pointerWhileAsking.append(m_view.pointer);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    QStringList answers;
    QStringList prompts;
    QStringList outputsWhileAsking;
    QList<MousePointer> pointerWhileAsking;

  private:
    const FakeView& m_view;
};

class TranslateHandlerTest : public ::testing::Test
{
  protected:
    TranslateHandlerTest()
    {
        Module1::resetAll();
        Module1::DataPath = data.path();
        Module1::DictExt = ".dta";
        data.writeLines("a.dta", lines({"A", "neurčitý člen;", "End"}));
        data.writeLines("b.dta", lines({"BOX", "krabice;", "End"}));
        data.writeLines("h.dta", lines({"HOUSE", "dům;", "End"}));
    }

    QString translate(const QString& text)
    {
        view.input = text;
        handler.run();
        return view.output;
    }

    TempDataDir data;
    FakeView view;
    RecordingSpeech speech;
    QueuedAnswers question{view};
    SafeFileWriter writer;
    QStringList opened; // the letter files read, by name
    HeadIndex heads{[this](const QString& path) {
        opened.append(QFileInfo(path).fileName());
        return HeadIndex::openFile(path);
    }};
    TranslateHandler handler{view, speech, question, writer, heads};
};

} // namespace

TEST_F(TranslateHandlerTest, WorkedExampleByteForByte)
{
    const QString shown = translate("A big House.");
    EXPECT_EQ(shown, u("a ........... neurčitý člen;\r\n"
                       "big ........... Nenalezeno.\r\n"
                       "house ........... dům;\r\n"));
    EXPECT_EQ(view.input, "");
    EXPECT_EQ(view.pointer, MousePointer::Default);
    EXPECT_EQ(speech.log->calls, lines({"speed 170", "speak a", "speak big", "speak house"}));
    EXPECT_EQ(Module1::Unknown[1], "big");
    // Learning asked for "big" with the default pointer and the pass's result on show.
    ASSERT_EQ(question.prompts.size(), 1);
    EXPECT_EQ(question.pointerWhileAsking[0], MousePointer::Default);
    EXPECT_EQ(question.outputsWhileAsking[0], shown);
    EXPECT_EQ(Module1::UnknownCount, 0);
}

TEST_F(TranslateHandlerTest, CzechToEnglishSpeaksEveryLineAndKeepsDiacritics)
{
    Module1::DictExt = ".cze";
    data.writeLines("c.cze", lines({"ČAJ", "Tea", "CHLEBA", "bread", "end", "end"}));
    data.writeLines("e.cze", lines({"EVA", "Eve", "end", "end"}));
    const QString shown = translate(u("Čaj, ěx end"));
    EXPECT_EQ(shown, u("čaj ........... tea\r\n"
                       "ěx ........... Nenalezeno.\r\n"
                       "end ........... end\r\n"));
    EXPECT_EQ(speech.log->calls,
              lines({"speed 170", "speak tea", "speak Nenalezeno.", "speak end"}));
}

TEST_F(TranslateHandlerTest, EmptyAndSeparatorOnlyTextsOpenNothing)
{
    for (const char* text : {"", " 12, -- 3.\r\n"}) {
        speech.log->calls.clear();
        view.input = u(text);
        handler.run();
        EXPECT_EQ(view.output, "");
        EXPECT_EQ(view.input, "");
        EXPECT_EQ(speech.log->calls, QStringList{"speed 170"});
        EXPECT_TRUE(question.prompts.isEmpty());
        EXPECT_EQ(Module1::Words[1], "");
    }
}

TEST_F(TranslateHandlerTest, DuplicatesRepeatAndTheWordTableIsEmptiedEachPress)
{
    data.writeLines("b.dta",
                    lines({"BOX", "krabice;", "box", "schránka;", "End", "BOX", "after;"}));
    EXPECT_EQ(translate("box BOX cat"),
              u("box ........... krabice;\r\nbox ........... schránka;\r\n"
                "box ........... krabice;\r\nbox ........... schránka;\r\n"
                "cat ........... Nenalezeno.\r\n"));
    EXPECT_EQ(Module1::Words[3], "cat");

    question.prompts.clear();
    translate("dog dog");
    EXPECT_EQ(Module1::Unknown[1], "dog");
    EXPECT_EQ(Module1::Unknown[2], "dog");
    EXPECT_EQ(question.prompts.size(), 2);
    EXPECT_EQ(Module1::Words[3], "");
}

TEST_F(TranslateHandlerTest, TheWordEndAndTheTerminators)
{
    data.writeLines("e.dta",
                    lines({"EGG", "vejce;", "End ", "x;", "END", "y;", "End", "EAR", "ucho;"}));
    EXPECT_EQ(translate("end ear egg"), u("end ........... y;\r\n"
                                          "ear ........... Nenalezeno.\r\n"
                                          "egg ........... vejce;\r\n"));
    data.writeLines("e.dta", lines({"EGG", "vejce;", "End"}));
    EXPECT_EQ(translate("End"), u("end ........... konec\r\nend ........... Nenalezeno.\r\n"));
    EXPECT_EQ(Module1::Unknown[1], "end");
}

TEST_F(TranslateHandlerTest, MissingEmptyAndBrokenFilesHaveNoEntries)
{
    data.writeBytes("c.dta", {});
    data.writeLines("d.dta", lines({"DOG", "pes;", "DUCK"}));
    // Neither a fifo nor a device in a letter file's place may hold the pass up.
    ASSERT_EQ(::mkfifo(QFile::encodeName(data.file("f.dta")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", data.file("y.dta")));
    alarm(20);
    EXPECT_EQ(translate("zebra cat duck dog _x fish yes"), u("zebra ........... Nenalezeno.\r\n"
                                                             "cat ........... Nenalezeno.\r\n"
                                                             "duck ........... Nenalezeno.\r\n"
                                                             "dog ........... pes;\r\n"
                                                             "_x ........... Nenalezeno.\r\n"
                                                             "fish ........... Nenalezeno.\r\n"
                                                             "yes ........... Nenalezeno.\r\n"));
    alarm(0);
}

TEST_F(TranslateHandlerTest, TablesOverflowSafely)
{
    QStringList many;
    for (int i = 0; i < 1030; ++i)
        many.append(i < 1024 ? QStringLiteral("box") : QStringLiteral("cat"));
    const QStringList shown = translate(many.join(' ')).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(shown.size(), 1025);
    EXPECT_EQ(shown[1023], u("box ........... krabice;"));
    EXPECT_TRUE(shown[1024].contains(u("vynechaných slov: 6")));
    EXPECT_TRUE(question.prompts.isEmpty());

    QStringList unknown;
    for (int i = 0; i < 300; ++i)
        unknown.append(QStringLiteral("w") + QString(QChar('a' + i % 26)) +
                       QString(QChar('a' + i / 26)));
    const QString result = translate(unknown.join(' '));
    EXPECT_EQ(result.count(u("Nenalezeno.")), 300);
    EXPECT_EQ(question.prompts.size(), 256);
    EXPECT_TRUE(result.contains(u("Nenalezených slov je víc než 256: k uložení do slovníku bylo "
                                  "nabídnuto prvních 256, nenabídnutých slov: 44.\r\n")));
    EXPECT_FALSE(translate(unknown.mid(0, 256).join(' ')).contains(u("nenabídnutých")));
    EXPECT_TRUE(question.prompts[255].contains(unknown[255].toUpper()));
}

TEST_F(TranslateHandlerTest, LearningPromptsLetterForLetter)
{
    EXPECT_EQ(
        TranslateHandler::learningPrompt("pear", ".dta"),
        u("Slovo  PEAR  nebylo nalezeno. Pokud znáte jeho překlad, zapište ho nyní prosím a slovo "
          "bude "
          "uloženo do slovníku.Pokud má slovo více významů, oddělujte je prosím středníky!  Pokud "
          "neznáte jeho překlad, odklepněte Enterem, nebo tlačítkem OK."));
    EXPECT_EQ(TranslateHandler::learningPrompt(u("čaj"), ".cze"),
              u("Slovo  ČAJ  nebylo nalezeno. Pokud znáte jeho překlad, zapište ho nyní prosím a "
                "slovo bude "
                "uloženo do slovníku. Pokud neznáte jeho překlad, odklepněte Enterem, nebo "
                "tlačítkem OK."));
    EXPECT_TRUE(TranslateHandler::learningPrompt("housr", ".dta", "house")
                    .startsWith(u("Vypadá to na překlep slova „house“. Je-li to překlep, nic "
                                  "nepište a odklepněte Enterem: slovo se neuloží.\n\nSlovo  "
                                  "HOUSR  nebylo nalezeno.")));
}

TEST_F(TranslateHandlerTest, LearnsAnswersInBothDirectionsAndFindsThemNextTime)
{
    question.answers = lines({"hruška", "", "a;b"});
    const QString shown = translate("pear plum apple");
    EXPECT_TRUE(question.prompts[0].startsWith(u("Slovo  PEAR  nebylo")));
    EXPECT_EQ(data.bytes("p.dta"), QByteArray("PEAR\r\nhru\x9aka;\r\nEnd\r\n"));
    EXPECT_EQ(data.bytes("a.dta"),
              TempDataDir::crlf(lines({"A", "neurčitý člen;", "APPLE", "a;b;", "End"})));
    EXPECT_TRUE(shown.endsWith(u("apple ........... Nenalezeno.\r\n"
                                 "pear ...přidáno do slovníku jako:  hruška\r\n"
                                 "apple ...přidáno do slovníku jako:  a;b\r\n")));
    // The report lines appear only after the last answer.
    EXPECT_FALSE(question.outputsWhileAsking.last().contains(u("přidáno")));
    EXPECT_EQ(view.outputSets, 3); // emptied, the pass, after learning

    EXPECT_EQ(translate("Pear"), u("pear ........... hruška;\r\n"));

    Module1::DictExt = ".cze";
    data.writeLines("v.cze", lines({"VLAK", "train", "end", "end"}));
    question.answers = lines({"water", "heart"});
    EXPECT_TRUE(translate(u("voda srdce"))
                    .endsWith(u("voda ...přidáno do slovníku jako:  water\r\n"
                                "srdce ...přidáno do slovníku jako:  heart\r\n")));
    EXPECT_EQ(data.bytes("v.cze"), QByteArray("VLAK\r\ntrain\r\nVODA\r\nwater\r\nend\r\nend\r\n"));
    EXPECT_FALSE(question.prompts.last().contains(u("středníky")));
    question.answers = lines({"hedgehog"});
    translate(u("ježek"));
    EXPECT_EQ(data.bytes("j.cze"), TempDataDir::crlf(lines({"JEŽEK", "hedgehog", "end", "end"})));
    EXPECT_EQ(translate(u("JEŽEK voda")),
              u("ježek ........... hedgehog\r\nvoda ........... water\r\n"));
}

TEST_F(TranslateHandlerTest, AnswersThatCannotBeStoredAreAskedAgain)
{
    // Blanks only are no answer: the word is skipped, as on Cancel.
    question.answers = lines({"mañana", "two\nlines", "a\x01z", "   "});
    const QString shown = translate("soon");
    ASSERT_EQ(question.prompts.size(), 4);
    EXPECT_TRUE(question.prompts[1].startsWith(u("Znak „ñ“ nelze do slovníku uložit.")));
    EXPECT_TRUE(question.prompts[2].startsWith(u("Překlad nesmí obsahovat konec řádku.")));
    EXPECT_TRUE(question.prompts[3].startsWith(u("Překlad nesmí obsahovat řídicí znak U+0001.")));
    EXPECT_FALSE(QFile::exists(data.file("s.dta")));
    EXPECT_FALSE(shown.contains(u("přidáno")));
}

TEST_F(TranslateHandlerTest, AFailedRewriteIsReportedAndNothingIsLost)
{
    const QByteArray halfPair("PEAR\r\nhru\x9aka;\r\nPLUM\r\n");
    data.writeBytes("p.dta", halfPair);
    question.answers = lines({"broskev"});
    const QString shown = translate("peach");
    EXPECT_EQ(data.bytes("p.dta"), halfPair);
    EXPECT_TRUE(shown.endsWith(
        u("peach ...nebylo uloženo do slovníku: poslední heslo souboru p.dta nemá překlad.\r\n")));
    EXPECT_FALSE(shown.contains(u("přidáno")));
}

namespace
{

// Base forms and dictionary forms from tests/data/chain/forms.txt, whatever the language.
class FixtureForms final : public BaseFormSource, public FormLookup
{
  public:
    FixtureForms()
    {
        QFile file(QStringLiteral(SLOVNIK_TEST_DATA "/chain/forms.txt"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
            if (fields.size() > 1 && !line.startsWith(u'#'))
                table[fields[0] + u' ' + fields[1]] = fields.mid(2);
        }
    }
    QStringList baseFormsOf(const QString& word, Language, const IsHeadWord& isHead) const override
    {
        QStringList found = table.value("base " + word);
        found.removeIf([&](const QString& base) { return !isHead(base); });
        return found;
    }
    QList<FormMatch> folded(const QString& word, Language, int) const override
    {
        return matches("folded " + word, 0);
    }
    QList<FormMatch> near(const QString& word, Language, int, int mostEdits) const override
    {
        return matches("near " + word, 1) +
               (mostEdits > 1 ? matches("near2 " + word, 2) : QList<FormMatch>());
    }
    bool isWord(const QString& word, Language) const override
    {
        return table.contains("known " + word);
    }

  private:
    QList<FormMatch> matches(const QString& key, int edits) const
    {
        QList<FormMatch> out;
        for (const QString& pair : table.value(key))
            out.append({pair.section(u':', 0, 0), pair.section(u':', 1), edits});
        return out;
    }
    QHash<QString, QStringList> table;
};

} // namespace

// Each press of tests/data/chain/cases.txt gives its lines exactly, offers just its listed
// words for learning and, where listed, makes just those speech calls.
TEST_F(TranslateHandlerTest, EveryWayThroughTheLookupChainGivesItsOwnLines)
{
    Module1::DataPath = QStringLiteral(SLOVNIK_TEST_DATA "/chain/");
    FixtureForms forms;
    TranslateHandler chained{view, speech, question, writer, heads, &forms, &forms};
    QFile file(QStringLiteral(SLOVNIK_TEST_DATA "/chain/cases.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int cases = 0;
    for (const QString& block : QString::fromUtf8(file.readAll()).split("\n\n")) {
        QStringList expected = block.split(u'\n', Qt::SkipEmptyParts);
        expected.removeIf([](const QString& line) { return line.startsWith(u'#'); });
        if (expected.isEmpty())
            continue;
        const QString press = expected.takeFirst().mid(2);
        const QString speech_ = expected.last().startsWith(u'~') ? expected.takeLast().mid(2) : "";
        const QStringList asked = expected.takeLast().mid(1).split(u' ', Qt::SkipEmptyParts);
        SCOPED_TRACE(press.toStdString());
        Module1::DictExt = press.left(4);
        view.input = press.mid(5);
        question.prompts.clear();
        speech.log->calls.clear();
        chained.run();
        EXPECT_EQ(view.output.toStdString(), (expected.join("\r\n") + "\r\n").toStdString());
        QStringList prompted;
        // A word asked for though it looks mistyped is marked "*".
        for (const QString& prompt : std::as_const(question.prompts))
            prompted.append(prompt.section("Slovo  ", 1).section(u' ', 0, 0).toLower() +
                            (prompt.startsWith("Vypadá to na překlep") ? "*" : ""));
        EXPECT_EQ(prompted.join(u' ').toStdString(), asked.join(u' ').toStdString());
        if (!speech_.isEmpty()) {
            EXPECT_EQ(speech.log->calls.join(" | "), speech_);
        }
        ++cases;
    }
    EXPECT_EQ(cases, 14);
}

TEST_F(TranslateHandlerTest, ALaterPressReadsOnlyTheFilesThatChanged)
{
    // Dated an hour back: a file changed moments ago is read again at every press.
    const auto age = [&](const char* name) {
        QFile file(data.file(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
    };
    for (const char* name : {"a.dta", "b.dta", "h.dta"})
        age(name);
    translate("a box");
    EXPECT_EQ(opened, lines({"a.dta", "b.dta"}));
    EXPECT_EQ(translate("A BOX, a house"),
              u("a ........... neurčitý člen;\r\nbox ........... krabice;\r\n"
                "a ........... neurčitý člen;\r\nhouse ........... dům;\r\n"));
    EXPECT_EQ(opened, lines({"a.dta", "b.dta", "h.dta"}));
}
