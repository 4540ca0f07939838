// The pronunciation window driven through its real controls, with a speech control that
// records every call it receives.
#include "pronunciation/Form2.h"
#include "ui/GuiTestSupport.h"
#include "ui/SecondaryWindow.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace
{

void speak(QWidget* window, const QString& text)
{
    typeText(control(window, "Text1"), text);
    click(window, "Command1");
}

void moveBar(QWidget* window, Qt::Key key, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(control(window, "HScroll1"), key);
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

  private slots:
    // Voice and speed are read from their controls at every press, never sent on their own;
    // a long pasted text is spoken whole.
    void everySpeakingSendsVoiceThenSpeedThenTheText()
    {
        auto log = std::make_shared<SpeechLog>();
        Form2 window(recordingServices(log));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        click(&window, "Command1"); // nothing typed: the apology alone
        speak(&window, "hello");
        QVERIFY(control<QLineEdit>(&window, "Text1")->text().isEmpty());
        speak(&window, "   ");
        click(&window, "Option2");
        moveBar(&window, Qt::Key_Right, 3); // stops at the last position
        QCOMPARE(log->calls.size(), 7);
        const QString pasted = QStringLiteral("hello ").repeated(6000);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(control(&window, "Text1"), Qt::Key_V, Qt::ControlModifier);
        click(&window, "Command1");
        click(&window, "Option1");
        moveBar(&window, Qt::Key_Left, 2);
        speak(&window, "hello");
        QCOMPARE(log->calls,
                 (QStringList{"speak No word to speak. Please try again.", //
                              "voice 1", "speed 100", "speak hello",       //
                              "voice 1", "speed 100", "speak    ",         //
                              "voice 2", "speed 150", "speak " + pasted,   //
                              "voice 1", "speed 50", "speak hello"}));
    }

    // A screen reader hears every control by its name, the speed by the word over its position
    // and the voices as radio buttons. Every control shows when it has the focus; the chosen
    // voice stands out.
    void screenReadersHearEveryControl()
    {
        Form2 window(recordingServices(std::make_shared<SpeechLog>()));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(accessibleView(&window),
                 (QStringList{"Form2 Window Výslovnost",
                              "Text1 EditableText Napište text a klepněte na tlačítko Vyslovit:",
                              "Label1 StaticText Napište text a klepněte na tlačítko Vyslovit:",
                              "Command1 Button Vyslovit", "Command2 Button Zpět",
                              "Option1 RadioButton Ženský hlas", "Option2 RadioButton Mužský hlas",
                              "HScroll1 Slider Rychlost řeči", "Label2 StaticText Rychlost řeči:",
                              "Label3 StaticText Malá         Normální       Velká"}));
        QCOMPARE(focusNotShown(&window), QStringList());
        const auto brightness = [&](const char* option) {
            const QImage face = control(&window, option)->grab().toImage();
            double sum = 0;
            for (int y = 0; y < face.height(); ++y) {
                for (int x = 0; x < face.width(); ++x)
                    sum += qGray(face.pixel(x, y));
            }
            return sum / (face.width() * face.height());
        };
        QVERIFY(brightness("Option1") < brightness("Option2") * 0.85); // the chosen one is darker
        QStringList heard;
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right}) {
            QAccessibleInterface* speed =
                QAccessible::queryAccessibleInterface(control(&window, "HScroll1"));
            heard << speed->text(QAccessible::Value) +
                         QString::number(speed->valueInterface()->currentValue().toInt());
            moveBar(&window, key, 1);
        }
        click(&window, "Option2");
        for (const char* option : {"Option1", "Option2"}) {
            heard << QString::number(
                QAccessible::queryAccessibleInterface(control(&window, option))->state().checked);
        }
        QCOMPARE(heard, (QStringList{"normální1", "malá0", "normální1", "0", "1"}));
    }

    void eachOpeningStartsFromTheDesignTimeState()
    {
        auto log = std::make_shared<SpeechLog>();
        QWidget host;
        SecondaryWindow form2([&] { return std::make_unique<Form2>(recordingServices(log)); });
        bool closedByZpet = false;
        whenModalOpens(&host, [&](QWidget* okno) {
            click(okno, "Option2");
            moveBar(okno, Qt::Key_Left, 1);
            typeText(control(okno, "Text1"), QStringLiteral("nedořečeno"));
            click(okno, "Command2");
            closedByZpet = !okno->isVisible();
        });
        form2.open(host);
        QVERIFY(closedByZpet);
        whenModalOpens(&host, [](QWidget* okno) {
            click(okno, "Command1");
            speak(okno, "hello");
        });
        form2.open(host);
        QCOMPARE(log->calls, (QStringList{"speak No word to speak. Please try again.", "voice 1",
                                          "speed 100", "speak hello"}));
        QCOMPARE(log->controls, 2); // a speech control of its own for each opening
    }

    // Speech that cannot be heard is told in the area of the window's speech control, over no
    // other control.
    void unheardSpeechIsToldInTheSpeechControlsArea()
    {
        auto log = std::make_shared<SpeechLog>();
        log->unavailable = QStringLiteral("počítač nemá žádný zvukový výstup");
        Form2 window(recordingServices(log));
        auto* notice = control<QLabel>(&window, "SpeechNotice");
        QCOMPARE(notice->text(), "Řeč není k dispozici: počítač nemá žádný zvukový výstup. "
                                 "Vše ostatní funguje, jen bez zvuku.");
        QVERIFY(Look::twips(3960, 1320, 3135, 2175).contains(notice->geometry()));
        QVERIFY(notice->wordWrap());
        for (auto* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY(other == notice || !other->geometry().intersects(notice->geometry()));
    }
};

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
