// The browse window driven through its real controls, in a temporary data directory.
#include "browse/OknoList.h"
#include "state/Module1.h"
#include "support/LetterFiles.h"
#include "ui/GuiTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

namespace
{

struct CountingBeep final : SystemBeep {
    void beep() override { ++count; }
    int count = 0;
};

QString listing(QWidget* window)
{
    return control<QPlainTextEdit>(window, "Text1")->toPlainText();
}

// The centre of the letter's item, in the list's viewport.
QPoint letterCentre(QWidget* window, char letter)
{
    auto* list = control<QListWidget>(window, "List1");
    list->scrollToItem(list->item(letter - 'A'));
    return list->visualItemRect(list->item(letter - 'A')).center();
}

void clickLetter(QWidget* window, char letter)
{
    QTest::mouseClick(control<QListWidget>(window, "List1")->viewport(), Qt::LeftButton, {},
                      letterCentre(window, letter));
}

void chooseDirection(QWidget* window, int index)
{
    auto* combo = control<QComboBox>(window, "Combo1");
    while (combo->currentIndex() != index)
        QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}

} // namespace

class TestOknoList : public QObject
{
    Q_OBJECT

    TempDataDir data;
    std::shared_ptr<CountingBeep> beep;

  private slots:
    void init()
    {
        Module1::resetAll();
        Module1::DataPath = data.path();
        beep = std::make_shared<CountingBeep>();
        data.writeLines("c.dta", {"cat", "kočka;", "End"});
        data.writeLines("c.cze", {"čaj", "tea", "end", "end"});
        data.writeLines("d.dta", {"dog", "pes;", "End"});
    }

    // A letter is read by mouse or keyboard; a new direction is read at the next click of a
    // letter, even the one already selected; a double click on a broken file is one read.
    void lettersDirectionsAndBrokenFiles()
    {
        OknoList window(beep);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* list = control<QListWidget>(&window, "List1");
        clickLetter(&window, 'C');
        QCOMPARE(listing(&window), "CAT .......... kočka;");
        QCOMPARE(Module1::DictExt, ".dta");
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(listing(&window), "DOG .......... pes;");
        QTest::keyClick(list, 'c');

        chooseDirection(&window, 1);
        QCOMPARE(listing(&window), "CAT .......... kočka;");
        QCOMPARE(Module1::DictExt, ".dta");
        clickLetter(&window, 'C');
        QCOMPARE(listing(&window), "ČAJ .......... tea");
        QCOMPARE(Module1::DictExt, ".cze");

        data.writeLines("b.cze", {"box", "krabice", "big"});
        const QPoint b = list->viewport()->mapTo(&window, letterCentre(&window, 'B'));
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, b);
        QCOMPARE(listing(&window), BrowseHandler::TooLongMessage);
        QCOMPARE(beep->count, 1);

        // Text typed over the Czech item stands for no item: the English list again.
        auto* combo = control<QComboBox>(&window, "Combo1");
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), "moje");
        clickLetter(&window, 'C');
        QCOMPARE(Module1::DictExt, ".dta");
    }

    // A screen reader hears every control by its name; every control shows the focus. In a
    // fresh window the first Down or Space picks A; Space and Enter on the picked letter read
    // it again, as a click does; Enter presses the focused "Zavřít".
    void theKeyboardPicksLettersAsClicksDo()
    {
        data.writeLines("a.dta", {"ant", "mravenec;", "End"});
        data.writeLines("a.cze", {"anděl", "angel", "end", "end"});
        for (const Qt::Key first : {Qt::Key_Down, Qt::Key_Space}) {
            OknoList window(beep);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QCOMPARE(
                accessibleView(&window),
                (QStringList{"OknoList Window Listování ve slovníku", "List1 List Písmena",
                             "Text1 EditableText Obsah slovníku pro zvolené písmeno",
                             "Combo1 ComboBox První anglická slova", "Command1 Button Zavřít"}));
            QCOMPARE(QAccessible::queryAccessibleInterface(control(&window, "Combo1"))
                         ->text(QAccessible::Description),
                     "Směr slovníku");
            auto* list = control<QListWidget>(&window, "List1");
            QCOMPARE(QApplication::focusWidget(), list);
            QCOMPARE(focusNotShown(&window), QStringList());
            list->setFocus();
            QVERIFY(list->selectedItems().isEmpty());
            QTest::keyClick(list, first);
            QCOMPARE(listing(&window), "ANT .......... mravenec;");

            chooseDirection(&window, 1);
            QTest::keyClick(list, Qt::Key_Space);
            QCOMPARE(listing(&window), "ANDĚL .......... angel");
            data.writeLines("a.cze", {"anděl", "angel", "auto", "car", "end", "end"});
            QTest::keyClick(list, Qt::Key_Return);
            QCOMPARE(listing(&window), "ANDĚL .......... angel\nAUTO .......... car");
            data.writeLines("a.cze", {"anděl", "angel", "end", "end"});

            control(&window, "Command1")->setFocus();
            QTest::keyClick(control(&window, "Command1"), Qt::Key_Return);
            QVERIFY(!window.isVisible());
        }
    }
};

QTEST_MAIN(TestOknoList)
#include "test_oknolist.moc"
