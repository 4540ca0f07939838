#include "state/Module1.h"
#include "support/LetterFiles.h"
#include "translate/OknoPreklad.h"
#include "ui/GuiTestSupport.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace
{

// Answers the next learning question: types `answer` and presses Enter, or with no answer
// presses Escape, which is Storno. Notes the dialog as a screen reader sees it.
void answerNext(QWidget* okno, QStringList& seen, const QString& answer = {})
{
    whenModalOpens(okno, [&seen, answer](QWidget* dialog) {
        auto* edit = control<QLineEdit>(dialog, "Answer");
        const QString prompt = control<QLabel>(dialog, "Prompt")->text();
        seen << accessibleView(dialog).join('|').replace(prompt, "<prompt>");
        typeText(edit, answer);
        QTest::keyClick(edit, answer.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
    });
}

} // namespace

class TestOknoPreklad : public QObject
{
    Q_OBJECT

  private slots:
    // "Big House." through the real controls and the real learning dialog.
    void bigIsTranslatedAndLearned()
    {
        TempDataDir data;
        data.writeLines("b.dta", {"BOOK", "kniha;", "End"});
        data.writeLines("h.dta", {"HOUSE", "dům;", "End"});
        Module1::resetAll();
        Module1::DataPath = data.path();
        Module1::DictExt = ".dta";
        OknoPreklad okno(recordingServices(std::make_shared<SpeechLog>()));
        okno.show();
        const auto text2 = [&] { return control<QPlainTextEdit>(&okno, "Text2")->toPlainText(); };

        QStringList seen;
        answerNext(&okno, seen, QStringLiteral("velký"));
        typeText(control(&okno, "Text1"), QStringLiteral("Big House."));
        click(&okno, "Command1");
        QCOMPARE(text2().split('\n'),
                 (QStringList{"big ........... Nenalezeno.", "house ........... dům;",
                              "big ...přidáno do slovníku jako:  velký"}));
        QVERIFY(control<QLineEdit>(&okno, "Text1")->text().isEmpty());
        QCOMPARE(data.bytes("b.dta"), QByteArray("BOOK\r\nkniha;\r\nBIG\r\nvelk\xfd;\r\nEnd\r\n"));

        // Escape in the question is Storno: nothing stored, nothing reported, the window open.
        answerNext(&okno, seen);
        typeText(control(&okno, "Text1"), QStringLiteral("sky"));
        click(&okno, "Command1");
        QCOMPARE(seen, QStringList(2, "InputBox Dialog Nové neznámé slovo...|Prompt StaticText "
                                      "<prompt>|Answer EditableText <prompt>"));
        QCOMPARE(text2(), QStringLiteral("sky ........... Nenalezeno."));
        QVERIFY(!data.exists("s.dta"));
        QVERIFY(okno.isVisible());
    }

    // Enter in Text1 translates nothing (no button is the default) and a long pasted text is
    // kept whole. A screen reader hears every control by its name; the close picture is a
    // button it can press, which closes the window as a click does. Every control shows the
    // focus.
    void theKeyboardAndScreenReaders()
    {
        TempDataDir data; // only a word found in it: no learning follows a translation
        data.writeLines("a.cze", {"A", "a", "end", "end"});
        Module1::resetAll();
        Module1::DataPath = data.path();
        Module1::DictExt = ".cze";
        OknoPreklad okno(recordingServices(std::make_shared<SpeechLog>()));
        okno.show();
        QVERIFY(QTest::qWaitForWindowActive(&okno));
        auto* text1 = control<QLineEdit>(&okno, "Text1");
        const QString pasted = QStringLiteral("a ").repeated(20000);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text1->text().size(), pasted.size());
        QTest::keyClick(text1, Qt::Key_Return);
        QVERIFY(control<QPlainTextEdit>(&okno, "Text2")->toPlainText().isEmpty());
        QCOMPARE(accessibleView(&okno),
                 (QStringList{"OknoPreklad Window Překlad česko-anglický",
                              "Text1 EditableText Zapište text a klepněte na tlačítko Překlad:",
                              "Text2 EditableText Výsledek překladu", "Command1 Button Překlad",
                              "Label1 StaticText Zapište text a klepněte na tlačítko Překlad:",
                              "Image1 Button Zavřít"}));
        QCOMPARE(focusNotShown(&okno), QStringList());
        QAccessible::queryAccessibleInterface(control(&okno, "Image1"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!okno.isVisible());
    }
};

QTEST_MAIN(TestOknoPreklad)
#include "test_oknopreklad.moc"
