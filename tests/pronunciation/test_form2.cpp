// The pronunciation window driven through its real controls, with a speech control that
// records every call it receives.
#include "pronunciation/Form2.h"
#include "ui/GuiTestSupport.h"
#include "ui/SecondaryWindow.h"

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
    // Voice and speed are read from their controls at every press, never sent on their own.
    void everySpeakingSendsVoiceThenSpeedThenTheText()
    {
        auto log = std::make_shared<SpeechLog>();
        Form2 window(recordingServices(log));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        click(&window, "Command1"); // nothing typed: the apology alone
        speak(&window, "hello");
        QVERIFY(control<QLineEdit>(&window, "Text1")->text().isEmpty());
        speak(&window, "   ");
        click(&window, "Option2");
        moveBar(&window, Qt::Key_Right, 3); // stops at the last position
        QCOMPARE(log->calls.size(), 7);
        speak(&window, "hello");
        click(&window, "Option1");
        moveBar(&window, Qt::Key_Left, 2);
        speak(&window, "hello");
        QCOMPARE(log->calls,
                 (QStringList{"speak No word to speak. Please try again.", //
                              "voice 1", "speed 100", "speak hello",       //
                              "voice 1", "speed 100", "speak    ",         //
                              "voice 2", "speed 150", "speak hello",       //
                              "voice 1", "speed 50", "speak hello"}));
    }

    // Enter presses the focused button, an option button too; a long pasted text is spoken
    // whole.
    void enterPressesTheFocusedButtonAndLongTextsAreKept()
    {
        auto log = std::make_shared<SpeechLog>();
        Form2 window(recordingServices(log));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QString pasted = QStringLiteral("hello ").repeated(6000);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(control(&window, "Text1"), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(control(&window, "Text1"), Qt::Key_Return);
        QVERIFY(log->calls.isEmpty());
        for (const char* button : {"Option2", "Command1"}) {
            control(&window, button)->setFocus();
            QTest::keyClick(control(&window, button), Qt::Key_Return);
        }
        QCOMPARE(log->calls, (QStringList{"voice 2", "speed 100", "speak " + pasted}));
        control(&window, "Command2")->setFocus();
        QTest::keyClick(control(&window, "Command2"), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!window.isVisible());
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

    // Speech that cannot be heard is told once, in the area of the window's speech control,
    // over no other control; the window works as ever.
    void unheardSpeechIsToldOnceInTheSpeechControlsArea()
    {
        auto log = std::make_shared<SpeechLog>();
        log->unavailable = QStringLiteral("počítač nemá žádný zvukový výstup");
        const WindowServices services = recordingServices(log);
        QStringList notices;
        for (int opening = 0; opening < 2; ++opening) {
            Form2 window(services);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            auto* notice = window.findChild<QLabel*>(QStringLiteral("SpeechNotice"));
            notices << (notice ? notice->text() : QString());
            if (notice) {
                QVERIFY(Look::twips(3960, 1320, 3135, 2175).contains(notice->geometry()));
                QVERIFY(notice->wordWrap());
                for (auto* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    QVERIFY(other == notice || !other->geometry().intersects(notice->geometry()));
            }
            speak(&window, "hello");
        }
        QCOMPARE(notices, (QStringList{"Řeč není k dispozici: počítač nemá žádný zvukový výstup. "
                                       "Vše ostatní funguje, jen bez zvuku.",
                                       ""}));
        QCOMPARE(log->calls.size(), 6);
    }
};

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
