// The pronunciation window driven through its real controls, with a speech control that
// records every call it receives.
#include "pronunciation/Form2.h"
#include "ui/GuiTestSupport.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
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
    // voice stands out. Speech that cannot be heard is told in the area of the speech control,
    // over no other control.
    void screenReadersHearEveryControl()
    {
        auto log = std::make_shared<SpeechLog>();
        log->unavailable = QStringLiteral("počítač nemá žádný zvukový výstup");
        Form2 window(recordingServices(log));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* notice = control<QLabel>(&window, "SpeechNotice");
        QVERIFY(Look::twips(3960, 1320, 3135, 2175).contains(notice->geometry()));
        QVERIFY(notice->wordWrap());
        for (auto* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY(other == notice || !other->geometry().intersects(notice->geometry()));
        QCOMPARE(accessibleView(&window),
                 (QStringList{"Form2 Window Výslovnost",
                              "Text1 EditableText Napište text a klepněte na tlačítko Vyslovit:",
                              "Label1 StaticText Napište text a klepněte na tlačítko Vyslovit:",
                              "Command1 Button Vyslovit", "Command2 Button Zpět",
                              "Option1 RadioButton Ženský hlas", "Option2 RadioButton Mužský hlas",
                              "HScroll1 Slider Rychlost řeči", "Label2 StaticText Rychlost řeči:",
                              "Label3 StaticText Malá         Normální       Velká",
                              "SpeechNotice StaticText Řeč není k dispozici: počítač nemá žádný "
                              "zvukový výstup. Vše ostatní funguje, jen bez zvuku."}));
        QCOMPARE(focusNotShown(&window), QStringList());
        const auto brightness = [&](const char* option) { // the average of the face
            const QImage face = control(&window, option)->grab().toImage();
            return qGray(
                face.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
        };
        QVERIFY(brightness("Option1") < brightness("Option2") * 0.85); // the chosen one is darker
        QStringList heard;
        QAccessibleInterface* speed =
            QAccessible::queryAccessibleInterface(control(&window, "HScroll1"));
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right}) {
            heard << speed->text(QAccessible::Value);
            moveBar(&window, key, 1);
        }
        click(&window, "Option2");
        for (const char* option : {"Option1", "Option2"}) {
            const auto* voice = QAccessible::queryAccessibleInterface(control(&window, option));
            heard << (voice->state().checked ? "checked" : "-");
        }
        QCOMPARE(heard, (QStringList{"normální", "malá", "normální", "-", "checked"}));
        click(&window, "Command2"); // "Zpět"
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
