// The browse window driven through its real controls, in a temporary data directory.
#include "browse/OknoList.h"
#include "shell/GuiTestSupport.h"
#include "shell/Module1.h"
#include "shell/SecondaryWindow.h"
#include "support/LetterFiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

namespace
{

struct CountingBeep final : SystemBeep {
    void beep() override { ++count; }
    int count = 0;
};

template <class Control> Control* child(QWidget* window, const char* name)
{
    auto* control = window->findChild<Control*>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

QString listing(QWidget* window)
{
    return child<QPlainTextEdit>(window, "Text1")->toPlainText();
}

QPoint letterCentre(QWidget* window, char letter)
{
    auto* list = child<QListWidget>(window, "List1");
    list->scrollToItem(list->item(letter - 'A'));
    return list->visualItemRect(list->item(letter - 'A')).center();
}

void clickLetter(QWidget* window, char letter)
{
    QTest::mouseClick(child<QListWidget>(window, "List1")->viewport(), Qt::LeftButton, {},
                      letterCentre(window, letter));
}

void chooseDirection(QWidget* window, int index)
{
    auto* combo = child<QComboBox>(window, "Combo1");
    while (combo->currentIndex() != index)
        QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}

void checkFresh(QWidget* okno)
{
    auto* list = child<QListWidget>(okno, "List1");
    QCOMPARE(list->count(), 26);
    QCOMPARE(list->item(0)->text() + list->item(25)->text(), QStringLiteral("AZ"));
    QVERIFY(list->selectedItems().isEmpty());
    auto* combo = child<QComboBox>(okno, "Combo1");
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->currentText(), QStringLiteral("První anglická slova"));
    QCOMPARE(combo->itemText(0), QStringLiteral("První aglická slova"));
    QCOMPARE(combo->itemText(1), QStringLiteral("První česká slova"));
    QCOMPARE(listing(okno), QString());
    QCOMPARE(Module1::BrowseIndex, std::optional<qint16>(0));
}

} // namespace

class TestOknoList : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempDataDir> data;
    std::shared_ptr<CountingBeep> beep;
    std::unique_ptr<OknoList> window;

  private slots:
    void init()
    {
        Module1::resetAll();
        data = std::make_unique<TempDataDir>();
        Module1::DataPath = data->path();
        beep = std::make_shared<CountingBeep>();
        window = std::make_unique<OknoList>(beep);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void lettersReadTheEnglishFilesUntilADirectionIsChosen()
    {
        data->writeLines("c.dta", {"cat", QStringLiteral("kočka; Kočka"), "End"});
        data->writeLines("c.cze", {QStringLiteral("čaj"), "tea", "end", "end"});
        data->writeLines("d.dta", {"dog", "pes;", "End"});
        clickLetter(window.get(), 'C');
        QCOMPARE(listing(window.get()), QStringLiteral("CAT .......... kočka; Kočka"));
        QCOMPARE(Module1::DictExt, QStringLiteral(".dta"));
        QCOMPARE(Module1::BrowseIndex, std::optional<qint16>(0));

        // The keyboard picks letters too, by arrow or by typing the letter.
        QTest::keyClick(child<QListWidget>(window.get(), "List1"), Qt::Key_Down);
        QCOMPARE(listing(window.get()), QStringLiteral("DOG .......... pes;"));
        QTest::keyClick(child<QListWidget>(window.get(), "List1"), 'c');
        QCOMPARE(listing(window.get()), QStringLiteral("CAT .......... kočka; Kočka"));

        // Text typed over the Czech item chooses no item, so the English list again.
        chooseDirection(window.get(), 1);
        auto* edit = child<QComboBox>(window.get(), "Combo1")->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "moje");
        QTest::keyClick(edit, Qt::Key_Return); // and does not become an item
        clickLetter(window.get(), 'D');
        QCOMPARE(listing(window.get()), QStringLiteral("DOG .......... pes;"));
        QCOMPARE(child<QComboBox>(window.get(), "Combo1")->count(), 2);
    }

    void aDirectionTakesEffectAtTheNextClickOfALetter()
    {
        data->writeLines("c.dta", {"cat", QStringLiteral("kočka;"), "End"});
        data->writeLines("c.cze", {QStringLiteral("čaj"), "tea", "KONEC", "end", "end", "end"});
        clickLetter(window.get(), 'C');
        chooseDirection(window.get(), 1);
        QCOMPARE(listing(window.get()), QStringLiteral("CAT .......... kočka;"));
        QCOMPARE(Module1::DictExt, QStringLiteral(".dta"));

        // Clicking the letter already selected reads it again, now in the new direction.
        clickLetter(window.get(), 'C');
        QCOMPARE(listing(window.get()), QStringLiteral("ČAJ .......... tea\nKONEC .......... end"));
        QCOMPARE(Module1::DictExt, QStringLiteral(".cze"));
        QCOMPARE(Module1::BrowseIndex, std::optional<qint16>(1));
        chooseDirection(window.get(), 0);
        clickLetter(window.get(), 'C');
        QCOMPARE(Module1::DictExt, QStringLiteral(".dta"));
    }

    void brokenMissingAndHugeFiles()
    {
        // A double click (press, release, press, release) is one click: one read, one beep.
        data->writeLines("b.dta", {"box", "krabice;", "big"});
        const QPoint b = child<QListWidget>(window.get(), "List1")
                             ->viewport()
                             ->mapTo(window.get(), letterCentre(window.get(), 'B'));
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, b);
        QCOMPARE(listing(window.get()), BrowseHandler::TooLongMessage);
        QCOMPARE(beep->count, 1);
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);

        clickLetter(window.get(), 'M');
        QCOMPARE(listing(window.get()), QString());

        QStringList huge;
        for (int i = 0; i < 6000; ++i)
            huge << QStringLiteral("slovo%1").arg(i) << QStringLiteral("word %1;").arg(i);
        data->writeLines("s.dta", huge << "End");
        clickLetter(window.get(), 'S');
        auto* text = child<QPlainTextEdit>(window.get(), "Text1");
        QCOMPARE(text->blockCount(), 6000);
        QCOMPARE(text->document()->lastBlock().text(), "SLOVO5999 .......... word 5999;");
        QCOMPARE(beep->count, 1);
    }

    void eachOpeningStartsFreshAndDictExtOutlivesIt()
    {
        window.reset();
        data->writeLines("z.cze", {QStringLiteral("žába"), "frog", "end", "end"});
        QWidget host;
        SecondaryWindow oknoList([this] { return std::make_unique<OknoList>(beep); });

        // The checks run before the window closes, so that a failed one cannot hang the test.
        QString shown;
        whenModalOpens(&host, [&shown](QWidget* okno) {
            checkFresh(okno);
            chooseDirection(okno, 1);
            clickLetter(okno, 'Z');
            QTest::keyClicks(child<QPlainTextEdit>(okno, "Text1"), "edit "); // editable
            shown = listing(okno);
            child<QPushButton>(okno, "Command1")->click();
        });
        oknoList.open(host);
        QCOMPARE(shown, QStringLiteral("edit ŽÁBA .......... frog"));
        QVERIFY(!oknoList.loaded());
        QCOMPARE(Module1::DictExt, QStringLiteral(".cze"));

        whenModalOpens(&host, [](QWidget* okno) {
            checkFresh(okno);
            clickLetter(okno, 'Z');
            okno->close();
        });
        oknoList.open(host);
        QCOMPARE(Module1::DictExt, QStringLiteral(".dta"));
    }
};

QTEST_MAIN(TestOknoList)
#include "test_oknolist.moc"
