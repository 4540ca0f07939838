// The pronunciation window driven through its real controls, with a speech control that
// records every call it receives.
#include "shell/GuiTestSupport.h"
#include "shell/SecondaryWindow.h"
#include "speech/Form2.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace
{

template <class Control> Control* child(QWidget* window, const char* name)
{
    auto* control = window->findChild<Control*>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

void press(QWidget* window, const char* button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

void speak(QWidget* window, const QString& text)
{
    typeText(child<QLineEdit>(window, "Text1"), text);
    press(window, "Command1");
}

void moveBar(QWidget* window, Qt::Key key, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(child<QScrollBar>(window, "HScroll1"), key);
}

void checkDesignTimeState(QWidget* form2)
{
    QCOMPARE(child<QLineEdit>(form2, "Text1")->text(), QString());
    QVERIFY(child<QPushButton>(form2, "Option1")->isChecked());
    QVERIFY(!child<QPushButton>(form2, "Option2")->isChecked());
    QCOMPARE(child<QScrollBar>(form2, "HScroll1")->value(), 1);
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

    std::shared_ptr<SpeechLog> log;
    std::unique_ptr<Form2> window;

  private slots:
    void init()
    {
        log = std::make_shared<SpeechLog>();
        window = std::make_unique<Form2>(recordingServices(log));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void everySpeakingSendsVoiceThenSpeedThenTheTextUnchanged()
    {
        press(window.get(), "Command1"); // nothing typed: the apology alone
        QCOMPARE(log->calls, QStringList{"speak No word to speak. Please try again."});

        // Blanks are text; several words are one string; Czech letters pass as typed.
        log->calls.clear();
        speak(window.get(), "hello");
        QCOMPARE(log->calls, (QStringList{"voice 1", "speed 100", "speak hello"}));
        QCOMPARE(child<QLineEdit>(window.get(), "Text1")->text(), QString());
        speak(window.get(), "   ");
        speak(window.get(), QStringLiteral("Hello, big  World. Dobrý den"));
        QCOMPARE(log->calls.mid(3),
                 (QStringList{"voice 1", "speed 100", "speak    ", "voice 1", "speed 100",
                              QStringLiteral("speak Hello, big  World. Dobrý den")}));
        QCOMPARE(child<QLineEdit>(window.get(), "Text1")->text(), QString());
    }

    void voiceAndSpeedAreSentOnlyWhenSpeaking()
    {
        press(window.get(), "Option2");
        moveBar(window.get(), Qt::Key_Right, 3); // stops at the last position
        QCOMPARE(log->calls, QStringList());
        speak(window.get(), "hello");
        QCOMPARE(log->calls, (QStringList{"voice 2", "speed 150", "speak hello"}));

        log->calls.clear();
        press(window.get(), "Option1");
        moveBar(window.get(), Qt::Key_Left, 2);
        QVERIFY(!child<QPushButton>(window.get(), "Option2")->isChecked());
        speak(window.get(), "hello");
        QCOMPARE(log->calls, (QStringList{"voice 1", "speed 50", "speak hello"}));
    }

    void eachOpeningStartsFromTheDesignTimeState()
    {
        window.reset();
        log = std::make_shared<SpeechLog>();
        QWidget host;
        SecondaryWindow form2([this] { return std::make_unique<Form2>(recordingServices(log)); });

        whenModalOpens(&host, [](QWidget* okno) {
            press(okno, "Option2");
            moveBar(okno, Qt::Key_Left, 1);
            typeText(child<QLineEdit>(okno, "Text1"), QStringLiteral("nedořečeno"));
            press(okno, "Command2");
        });
        form2.open(host);
        QVERIFY(!form2.loaded());

        // The checks run before the window closes, so that a failed one cannot hang the test.
        whenModalOpens(&host, [](QWidget* okno) {
            checkDesignTimeState(okno);
            speak(okno, "hello");
            okno->close();
        });
        form2.open(host);
        QCOMPARE(log->calls, (QStringList{"voice 1", "speed 100", "speak hello"}));
        QCOMPARE(log->controls, 2); // a speech control of its own for each opening
    }
};

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
