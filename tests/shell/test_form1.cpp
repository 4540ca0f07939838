#include "shell/DataDirectory.h"
#include "shell/Form1.h"
#include "shell/GuiTestSupport.h"
#include "shell/Module1.h"
#include "translate/OknoPreklad.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRawFont>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        // Never the user's own data: the standard location is resolved under a scratch home.
        qputenv("HOME", m_home.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (m_home.path() + QStringLiteral("/share")).toLocal8Bit());
        QApplication::setApplicationName(QStringLiteral("slovnik"));
    }

    void init() { Module1::resetAll(); }

    void startUpSeedsAnEmptyDataDirectory()
    {
        const QString expected = m_home.path() + QStringLiteral("/share/slovnik/data/");
        Form1 form(DataDirectory::standard());
        QCOMPARE(Module1::DataPath, expected);
        QVERIFY(Module1::DictExt.isEmpty());

        const QStringList names = DataDirectory::letterFileNames();
        QCOMPARE(names.size(), 52);
        for (const QString& name : names) {
            // Each embedded file is a whole letter file: entries, then its terminator.
            const QByteArray embedded = readAll(DataDirectory::Embedded + name);
            const QStringList lines = LetterFile::splitLines(embedded);
            const QStringList terminator = LetterFile::terminatorLines(name.right(4));
            QVERIFY2(lines.mid(lines.size() - terminator.size()) == terminator, qPrintable(name));
            QVERIFY2((lines.size() - terminator.size()) % 2 == 0, qPrintable(name));
            QCOMPARE(readAll(expected + name), embedded);
            const auto permissions = QFileInfo(expected + name).permissions();
            QVERIFY(permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadOther));
        }
        // Nothing else, no temporary file left behind.
        QCOMPARE(QDir(expected).entryList(QDir::Files | QDir::Hidden).size(), 52);
    }

    void startUpLeavesAnExistingDictionaryAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QLatin1Char('/');
        writeFile(path + QStringLiteral("h.dta"), "HORSE\r\nk\xf9\xf2;\r\nEnd\r\n");
        Form1 form(DataDirectory{path});
        QCOMPARE(Module1::DataPath, path);
        QCOMPARE(readAll(path + QStringLiteral("h.dta")),
                 QByteArray("HORSE\r\nk\xf9\xf2;\r\nEnd\r\n"));
        QCOMPARE(QDir(path).entryList(QDir::Files).size(), 1);

        // Files that are not letter files do not count as a dictionary, and stay as they are.
        QTemporaryDir other;
        const QString otherPath = other.path() + QLatin1Char('/');
        writeFile(otherPath + QStringLiteral("notes.txt"), "mine");
        QCOMPARE(DataDirectory(otherPath).seedIfEmpty().copied.size(), 52);
        QCOMPARE(readAll(otherPath + QStringLiteral("notes.txt")), QByteArray("mine"));
    }

    void startsWhenTheDataDirectoryCannotBeMade()
    {
        QTemporaryDir dir;
        writeFile(dir.path() + QStringLiteral("/file"), "x");
        const QString path = dir.path() + QStringLiteral("/file/data/");
        QVERIFY(DataDirectory(path).seedIfEmpty().failed());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("nelze vytvořit")));
        Form1 form(DataDirectory{path});
        QCOMPARE(Module1::DataPath, path);
    }

    // The frame is fixed and centred, the captions' Czech letters exist in the font that stands
    // in for "MS Sans Serif", no button is a default button, and Tab reaches "Výslovnost" last.
    void mainWindowLooksAsDesigned()
    {
        QTemporaryDir dir;
        Form1 form(DataDirectory(dir.path() + QLatin1Char('/')));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.geometry().center(),
                 QGuiApplication::primaryScreen()->availableGeometry().center());
        for (auto* button : form.findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault() && !button->autoDefault());
            const QRawFont font = QRawFont::fromFont(button->font());
            for (const QChar c : QStringLiteral("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ"))
                QVERIFY2(font.supportsCharacter(c), qPrintable(font.familyName()));
        }

        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), control(form, "Command1"));
        for (const char* next : {"Command2", "Command3", "Command4", "Command5", "Command1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
    }

    // Each translation button sets the direction and opens a freshly loaded translation
    // window; the main window stays disabled until it closes.
    void translationButtonsOpenTheWindowModally()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QLatin1Char('/');
        QVERIFY(writeLetterFile(path + QStringLiteral("h.dta"), {"HOUSE", "dům;", "End"}));
        auto log = std::make_shared<SpeechLog>();
        Form1 form(DataDirectory{path}, recordingServices(log));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        struct Seen {
            QString caption, dictExt, dataPath, text1, text2, resultBeforeClose;
            bool mainEnabled = true, translationWindow = false, stillOpenAfterImage1 = true;
            bool enabledAfter = false, focusBackOnButton = false;
        };
        const auto open = [&](const char* button, const std::function<void(QWidget*, Seen&)>& use) {
            Seen seen;
            whenModalOpens(&form, [&](QWidget* window) {
                seen.caption = window->windowTitle();
                seen.mainEnabled = form.isEnabled();
                seen.translationWindow = qobject_cast<OknoPreklad*>(window) != nullptr;
                seen.dictExt = Module1::DictExt;
                seen.dataPath = Module1::DataPath;
                seen.text1 = control<QLineEdit>(*window, "Text1")->text();
                seen.text2 = control<QPlainTextEdit>(*window, "Text2")->toPlainText();
                // Clicks on the disabled main window do nothing meanwhile.
                if (!seen.mainEnabled)
                    QTest::mouseClick(control(form, "Command2"), Qt::LeftButton);
                use(window, seen);
                window->close();
            });
            QTest::mouseClick(control(form, button), Qt::LeftButton);
            seen.enabledAfter = form.isEnabled();
            seen.focusBackOnButton = form.focusWidget() == control(form, button);
            return seen;
        };

        Seen first = open("Command1", [&](QWidget* window, Seen& seen) {
            QTest::keyClicks(control(*window, "Text1"), QStringLiteral("house"));
            QTest::mouseClick(control(*window, "Command1"), Qt::LeftButton);
            seen.resultBeforeClose = control<QPlainTextEdit>(*window, "Text2")->toPlainText();
            QTest::mouseClick(control(*window, "Image1"), Qt::LeftButton, {}, QPoint(20, 20));
            seen.stillOpenAfterImage1 = window->isVisible();
        });
        QCOMPARE(first.caption, QStringLiteral("Překlad anglicko-český"));
        QVERIFY(first.translationWindow);
        QVERIFY(!first.mainEnabled);
        QVERIFY(first.enabledAfter && first.focusBackOnButton);
        QCOMPARE(first.dictExt, QStringLiteral(".dta"));
        QCOMPARE(first.dataPath, path);
        // The close picture closes the window.
        QCOMPARE(first.resultBeforeClose, QStringLiteral("house ........... dům;"));
        QVERIFY(!first.stillOpenAfterImage1);

        Seen second = open("Command2", [](QWidget*, Seen&) {});
        QCOMPARE(second.caption, QStringLiteral("Překlad česko-anglický"));
        QCOMPARE(second.dictExt, QStringLiteral(".cze"));
        QVERIFY(!second.mainEnabled);
        QVERIFY(second.enabledAfter && second.focusBackOnButton);
        QVERIFY(second.text1.isEmpty() && second.text2.isEmpty());

        Seen third = open("Command1", [](QWidget*, Seen&) {});
        QCOMPARE(third.caption, QStringLiteral("Překlad anglicko-český"));
        QVERIFY(third.text1.isEmpty() && third.text2.isEmpty());

        // Every opening had its own speech control.
        QCOMPARE(log->controls, 3);
        QCOMPARE(log->calls,
                 (QStringList{QStringLiteral("speed 170"), QStringLiteral("speak house")}));
    }

    // The browse and pronunciation buttons open their windows modally and change no
    // variable themselves; a browse of the Czech list leaves DictExt at ".cze" until a
    // translation button sets the direction again.
    void browseAndPronunciationButtonsOpenTheirWindows()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QLatin1Char('/');
        QVERIFY(writeLetterFile(path + QStringLiteral("z.cze"), {"ZUB", "tooth", "end", "end"}));
        Form1 form(DataDirectory{path}, recordingServices(std::make_shared<SpeechLog>()));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QString browseCaption, pronunciationCaption, dictExtWhilePronouncing;
        bool mainEnabledWhileBrowsing = true;
        whenModalOpens(&form, [&](QWidget* window) {
            pronunciationCaption = window->windowTitle();
            dictExtWhilePronouncing = Module1::DictExt;
            window->close();
        });
        QTest::mouseClick(control(form, "Command5"), Qt::LeftButton);
        QCOMPARE(pronunciationCaption, QStringLiteral("Výslovnost"));
        QVERIFY(dictExtWhilePronouncing.isEmpty());

        whenModalOpens(&form, [&](QWidget* window) {
            browseCaption = window->windowTitle();
            mainEnabledWhileBrowsing = form.isEnabled();
            auto* combo = control<QComboBox>(*window, "Combo1");
            combo->setCurrentIndex(1);
            auto* letters = control<QListWidget>(*window, "List1");
            letters->setCurrentRow(25);
            window->close();
        });
        QTest::mouseClick(control(form, "Command3"), Qt::LeftButton);
        QCOMPARE(browseCaption, QStringLiteral("Listování ve slovníku"));
        QVERIFY(!mainEnabledWhileBrowsing);
        QVERIFY(form.isEnabled());
        QCOMPARE(Module1::DictExt, QStringLiteral(".cze"));
        QCOMPARE(Module1::DataPath, path);

        QString translationCaption;
        whenModalOpens(&form, [&](QWidget* window) {
            translationCaption = window->windowTitle();
            window->close();
        });
        QTest::mouseClick(control(form, "Command1"), Qt::LeftButton);
        QCOMPARE(translationCaption, QStringLiteral("Překlad anglicko-český"));
        QCOMPARE(Module1::DictExt, QStringLiteral(".dta"));
    }

    void konecAndTheCloseBoxEndTheProgram()
    {
        QTemporaryDir dir;
        for (const bool konec : {true, false}) {
            Form1 form(DataDirectory(dir.path() + QLatin1Char('/')));
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QTimer::singleShot(0, &form, [&] {
                if (konec)
                    QTest::mouseClick(control(form, "Command4"), Qt::LeftButton);
                else
                    form.close();
            });
            QTimer guard;
            guard.setSingleShot(true);
            connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
            guard.start(5000);
            QCOMPARE(QApplication::exec(), 0);
            QVERIFY(!form.isVisible());
        }
    }

  private:
    QTemporaryDir m_home;
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
