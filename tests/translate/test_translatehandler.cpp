#include "dictionary/FileWriter.h"
#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "language/BaseFormSource.h"
#include "state/Module1.h"
#include "support/LetterFiles.h"
#include "support/RecordingSpeech.h"
#include "support/RewriteInvariants.h"
#include "translate/TranslateHandler.h"
#include "translate/TranslationView.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
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

// Base forms from a table, each asked word noted.
class TableBaseForms final : public BaseFormSource
{
  public:
    QStringList baseFormsOf(const QString& word, Language language,
                            const IsHeadWord& isHeadWord) const override
    {
        asked.append(word);
        QStringList found;
        const auto& table = language == Language::Czech ? czech : english;
        for (const QString& base : table.value(word)) {
            if (isHeadWord(base))
                found.append(base);
        }
        return found;
    }

    QHash<QString, QStringList> czech, english;
    mutable QStringList asked;
};

class BaseFormFallbackTest : public TranslateHandlerTest
{
  protected:
    BaseFormFallbackTest()
    {
        baseForms.czech = {{"psa", {"pes"}}, {u("šel"), {u("jít")}}};
        baseForms.english = {{"went", {"go"}},
                             {"leaves", {"leave", "leaf"}},
                             {"boxes", {"box"}},
                             {"end", {"box"}},
                             {"bigger", {"big"}}};
        data.writeLines("g.dta", lines({"GO", "jít;", "GONE", "pryč;", "go", "odejít;", "End"}));
        data.writeLines("l.dta", lines({"LEAVE", "odejít;", "LEAF", "list;", "End"}));
        data.writeLines("p.cze", lines({"PES", "dog", "end", "end"}));
        data.writeLines("j.cze", lines({"JÍT", "go; walk", "end", "end"}));
    }

    TableBaseForms baseForms;
    TranslateHandler withBaseForms{view, speech, question, writer, heads, &baseForms};
};

} // namespace

TEST_F(BaseFormFallbackTest, AWordWithoutEntryIsFoundThroughItsBaseForms)
{
    view.input = "went leaves bigger";
    withBaseForms.run();
    // In file order, the base form's letter file whatever the word's; up to two base forms;
    // a base form without entries gives nothing.
    EXPECT_EQ(view.output, u("went ........... (go) jít;\r\n"
                             "went ........... (go) odejít;\r\n"
                             "leaves ........... (leave) odejít;\r\n"
                             "leaves ........... (leaf) list;\r\n"
                             "bigger ........... Nenalezeno.\r\n"));
    // Found words are not offered for learning; English is spoken before its lookup.
    EXPECT_EQ(question.prompts.size(), 1);
    EXPECT_EQ(Module1::Unknown[1], "bigger");
    EXPECT_EQ(speech.log->calls,
              lines({"speed 170", "speak went", "speak leaves", "speak bigger"}));
}

TEST_F(BaseFormFallbackTest, CzechBaseFormLinesSpeakTheEnglishOnly)
{
    Module1::DictExt = ".cze";
    view.input = u("Psa šel");
    withBaseForms.run();
    EXPECT_EQ(view.output, u("psa ........... (pes) dog\r\n"
                             "šel ........... (jít) go; walk\r\n"));
    EXPECT_EQ(speech.log->calls, lines({"speed 170", "speak dog", "speak go; walk"}));
    EXPECT_TRUE(question.prompts.isEmpty());
    EXPECT_EQ(Module1::UnknownCount, 0);
}

TEST_F(BaseFormFallbackTest, ExactEntriesAndTheWordEndStayAsTheyWere)
{
    view.input = "box end";
    withBaseForms.run();
    // "box" has its entry, "end" its own lines: no base form is even asked for.
    EXPECT_EQ(view.output, u("box ........... krabice;\r\n"
                             "end ........... konec\r\n"
                             "end ........... Nenalezeno.\r\n"));
    EXPECT_TRUE(baseForms.asked.isEmpty());
}

TEST_F(TranslateHandlerTest, AWordReportedStoredIsFoundByTheNextPassAndNoLineIsLost)
{
    // Head lines the terminator rule has to tell apart, translations that read "end".
    const char* heads[] = {"End", "END", "end", "eNd", "End ", "", "QUAY", "q", "ČAJ"};
    const char* translations[] = {"end", "End", "END", "", "x;", "konec"};
    const char* endings[] = {"\r\n", "\n", "\r"};
    QRandomGenerator random(20261207);
    int stored = 0;
    int refused = 0;
    for (int round = 0; round < 240; ++round) {
        Module1::DictExt = round % 2 ? ".cze" : ".dta";
        const QString name = "q" + Module1::DictExt;
        QByteArray before;
        const int lineCount = random.bounded(0, 9);
        for (int l = 0; l < lineCount; ++l) {
            const char* line = l % 2 == 0
                                   ? heads[random.bounded(int(std::size(heads)))]
                                   : translations[random.bounded(int(std::size(translations)))];
            before += Cp1250::encode(u(line));
            if (l + 1 < lineCount || random.bounded(2))
                before += endings[random.bounded(3)];
        }
        // A new file each round, as a rewrite leaves it, so that nothing remembers the last one.
        QSaveFile file(data.file(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(before);
        ASSERT_TRUE(file.commit());

        question.answers = lines({"nové"});
        const QString report = translate("qnew");
        const QByteArray after = data.bytes(name);
        SCOPED_TRACE(QString("round %1 %2: %3")
                         .arg(round)
                         .arg(name, QString::fromLatin1(before.toPercentEncoding()))
                         .toStdString());
        if (report.contains(u("qnew ...nebylo uloženo do slovníku"))) {
            ++refused;
            EXPECT_EQ(after, before);
            continue;
        }
        ASSERT_TRUE(report.contains(u("qnew ...přidáno do slovníku jako:  nové\r\n")))
            << qPrintable(report);
        ++stored;
        const QString translation = Module1::DictExt == ".dta" ? u("nové;") : u("nové");
        EXPECT_EQ(translate("qnew"), u("qnew ........... ") + translation + "\r\n");
        EXPECT_EQ(rewriteProblem(before, after, Module1::DictExt, {{"QNEW", translation}}), "");
    }
    EXPECT_GT(stored, 60);
    EXPECT_GT(refused, 10);
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
