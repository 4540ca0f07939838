#include "app/Form1.h"
#include "dictionary/DataDirectory.h"
#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "state/Module1.h"
#include "support/LetterFiles.h"
#include "translate/OknoPreklad.h"
#include "ui/GuiTestSupport.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QtTest>

class TestForm1 : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

  private slots:
    void initTestCase()
    {
        // Never the user's own data: the standard location is resolved under a scratch home.
        qputenv("HOME", m_home.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (m_home.path() + "/share").toLocal8Bit());
        QApplication::setApplicationName(QStringLiteral("slovnik"));
    }

    void init() { Module1::resetAll(); }

    // An empty data directory gets the built-in dictionary; one holding a letter file is left
    // alone; one that cannot be made does not stop the program.
    void startUpPreparesTheDataDirectory()
    {
        const QString seeded = m_home.path() + "/share/slovnik/data/";
        Form1{DataDirectory::standard()};
        QCOMPARE(Module1::DataPath, seeded);
        for (const QString& name : DataDirectory::letterFileNames()) {
            QCOMPARE(LetterFile::readFile(seeded + name),
                     LetterFile::readFile(DataDirectory::Embedded + name));
            QVERIFY(QFileInfo(seeded + name).permissions().testFlag(QFileDevice::WriteOwner));
        }
        QCOMPARE(QDir(seeded).entryList(QDir::Files | QDir::Hidden).size(), 52);

        TempDataDir own;
        own.writeLines("h.dta", {"HORSE", "kůň;", "End"});
        Form1{DataDirectory(own.path())};
        QCOMPARE(Module1::DataPath, own.path());
        QCOMPARE(own.bytes("h.dta"), QByteArray("HORSE\r\nk\xf9\xf2;\r\nEnd\r\n"));
        QCOMPARE(QDir(own.path()).entryList(QDir::Files).size(), 1);
    }

    // A data directory that cannot be made: every word is looked up and listed from the
    // built-in dictionary; the first translation window says once why nothing can be learned,
    // and learning says it for every word.
    void anUnusableDataDirectoryLeavesTheBuiltInDictionary()
    {
        TempDataDir home;
        home.writeBytes("file", "x");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("nelze vytvořit"));
        Form1 form(DataDirectory(home.file("file/data/")),
                   recordingServices(std::make_shared<SpeechLog>()));
        form.show();
        QCOMPARE(Module1::DataPath, DataDirectory::Embedded);

        QStringList seen;
        const auto text2 = [](QWidget* okno) {
            return control<QPlainTextEdit>(okno, "Text2")->toPlainText();
        };
        const auto opened = [&](QWidget* okno) {
            seen << control<QPlainTextEdit>(okno, "Text2")->placeholderText() + "|" + text2(okno);
        };
        whenModalOpens(&form, [&](QWidget* okno) {
            opened(okno);
            whenModalOpens(okno, [](QWidget* question) {
                typeText(control(question, "Answer"), QStringLiteral("cosi"));
                QTest::keyClick(control(question, "Answer"), Qt::Key_Return);
            });
            QTest::keyClicks(control(okno, "Text1"), "house qzqzq");
            click(okno, "Command1");
            const QStringList result = text2(okno).split('\n');
            seen << (result[0].startsWith("house ........... ") &&
                             !result[0].endsWith("Nenalezeno.")
                         ? "house found"
                         : result[0])
                 << result.last();
        });
        click(&form, "Command1");
        whenModalOpens(&form, opened);
        click(&form, "Command2");
        whenModalOpens(&form, [&](QWidget* okno) {
            auto* list = control<QListWidget>(okno, "List1");
            list->setCurrentRow(7);
            seen << control<QPlainTextEdit>(okno, "Text1")->toPlainText().section('\n', 0, 0);
        });
        click(&form, "Command3");
        const QStringList builtInH =
            LetterFile::splitLines(*LetterFile::readFile(DataDirectory::Embedded + "h.dta"));
        const QString firstH = builtInH[0].toUpper() + " .......... " + builtInH[1];
        QCOMPARE(seen, (QStringList{"Nová slova nelze do slovníku ukládat: složku " +
                                        home.file("file/data") +
                                        " nelze vytvořit (v cestě je soubor, ne složka). Slova se "
                                        "hledají ve slovníku, který je součástí programu.|",
                                    "house found",
                                    "qzqzq ...nebylo uloženo do slovníku: slovník vestavěný do "
                                    "programu nelze měnit.",
                                    "|", firstH}));
    }

    // Tab reaches "Výslovnost" last. Each button, clicked or pressed with Enter or Space when it
    // has the focus, opens its window modally and centred: the translation buttons set the
    // direction first and get a freshly loaded window; the others change no variable themselves.
    void buttonsOpenTheirWindowsModally()
    {
        TempDataDir data;
        data.writeLines("h.dta", {"HOUSE", "dům;", "End"});
        auto log = std::make_shared<SpeechLog>();
        Form1 form(DataDirectory(data.path()), recordingServices(log));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), control(&form, "Command1"));
        for (const char* next : {"Command2", "Command3", "Command4", "Command5", "Command1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }

        QStringList seen; // per window: caption, DictExt, main window enabled?, Text1 + Text2
        // Opened by a mouse click, or by `key` pressed on the focused button.
        const auto open = [&](const char* button, std::function<void(QWidget*)> use = {},
                              Qt::Key key = Qt::Key_unknown) {
            whenModalOpens(&form, [&, use](QWidget* window) {
                const bool translation = qobject_cast<OknoPreklad*>(window);
                const QPoint offCentre =
                    window->frameGeometry().center() - form.screen()->availableGeometry().center();
                seen << QStringLiteral("%1 %2 %3 %4 [%5]")
                            .arg(window->windowTitle(), Module1::DictExt,
                                 form.isEnabled() ? "enabled" : "disabled",
                                 offCentre.isNull() ? QStringLiteral("centred")
                                                    : QStringLiteral("off by %1,%2")
                                                          .arg(offCentre.x())
                                                          .arg(offCentre.y()),
                                 translation
                                     ? control<QLineEdit>(window, "Text1")->text() +
                                           control<QPlainTextEdit>(window, "Text2")->toPlainText()
                                     : "-");
                if (use)
                    use(window);
            });
            if (key == Qt::Key_unknown) {
                click(&form, button);
            } else {
                control(&form, button)->setFocus();
                QTest::keyClick(control(&form, button), key);
            }
            QVERIFY(form.isEnabled());
            QCOMPARE(form.focusWidget(), control(&form, button));
        };
        open("Command1", [&](QWidget* okno) {
            QTest::keyClicks(control(okno, "Text1"), "house");
            click(okno, "Command1");
            seen << control<QPlainTextEdit>(okno, "Text2")->toPlainText();
            QTest::mouseClick(control(okno, "Image1"), Qt::LeftButton, {}, QPoint(20, 20));
            seen << (okno->isVisible() ? "Image1 left it open" : "closed");
        });
        for (const char* button : {"Command2", "Command3", "Command5"})
            open(button, {}, Qt::Key_Return);
        open("Command1", {}, Qt::Key_Space);
        QCOMPARE(seen, (QStringList{"Překlad anglicko-český .dta disabled centred []",
                                    "house ........... dům;", "closed",
                                    "Překlad česko-anglický .cze disabled centred []",
                                    "Listování ve slovníku .cze disabled centred [-]",
                                    "Výslovnost .cze disabled centred [-]",
                                    "Překlad anglicko-český .dta disabled centred []"}));
        QCOMPARE(Module1::DataPath, data.path());
        QCOMPARE(log->controls, 4); // a speech control of its own for each opening that speaks
        QCOMPARE(log->calls, (QStringList{"speed 170", "speak house"}));
    }

    void konecAndTheCloseBoxEndTheProgram()
    {
        TempDataDir data;
        for (const bool konec : {true, false}) {
            Form1 form{DataDirectory(data.path())};
            form.show();
            QTimer::singleShot(0, &form, [&] {
                if (konec)
                    click(&form, "Command4");
                else
                    form.close();
            });
            QTimer::singleShot(5000, &form, [] { QCoreApplication::exit(1); });
            QCOMPARE(QApplication::exec(), 0);
            QVERIFY(!form.isVisible());
        }
    }

    // The credit line names where the dictionary comes from and under which licence, and
    // fits its label in the window's font.
    void creditNamesTheDictionarysSourceAndLicence()
    {
        TempDataDir data;
        Form1 form{DataDirectory(data.path())};
        const auto* label = form.findChild<QLabel*>("Label1");
        QVERIFY(label);
        QVERIFY2(label->text().contains("FreeDict") && label->text().contains("GPL"),
                 qPrintable(label->text()));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
