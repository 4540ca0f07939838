// The main window over the real secondary windows; what the program pays for before its first
// paint, and how it tells the user once that speech cannot be heard.
#include "app/Form1.h"
#include "dictionary/DataDirectory.h"
#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "state/Module1.h"
#include "support/LetterFiles.h"
#include "translate/OknoPreklad.h"
#include "ui/GuiTestSupport.h"
#include "ui/RawPicture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QtTest>

namespace
{

// Whether a library whose file name contains `name` is mapped into this process.
bool mapped(const char* name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

// Premultiplied, as every picture is when it is drawn; without the colour space, which the
// painter does not use.
QByteArray pixels(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
}

QString noticeOf(QWidget* window)
{
    if (auto* okno = qobject_cast<OknoPreklad*>(window))
        return control<QPlainTextEdit>(okno, "Text2")->placeholderText();
    auto* label = window->findChild<QLabel*>(QStringLiteral("SpeechNotice"));
    return label ? label->text() : QString();
}

} // namespace

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

    // A data directory that cannot be made: words are looked up and listed from the built-in
    // dictionary, and the first translation window alone says why none can be learned.
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
        openFrom(form, "Command1", [&](QWidget* okno) {
            seen << noticeOf(okno).left(38);
            QTest::keyClicks(control(okno, "Text1"), "house");
            click(okno, "Command1");
            const QString result = control<QPlainTextEdit>(okno, "Text2")->toPlainText();
            seen << (result.contains("Nenalezeno.") ? result : result.left(18));
        });
        openFrom(form, "Command2", [&](QWidget* okno) { seen << noticeOf(okno); });
        openFrom(form, "Command3", [&](QWidget* okno) {
            control<QListWidget>(okno, "List1")->setCurrentRow(7);
            seen << control<QPlainTextEdit>(okno, "Text1")->toPlainText().section('\n', 0, 0);
        });
        const QStringList builtInH =
            LetterFile::splitLines(*LetterFile::readFile(DataDirectory::Embedded + "h.dta"));
        QCOMPARE(seen, (QStringList{"Nová slova nelze do slovníku ukládat: ", "house ........... ",
                                    "", builtInH[0].toUpper() + " .......... " + builtInH[1]}));
    }

    // A screen reader hears the window and its buttons by their captions, and the credit line,
    // which names the dictionary's source and licence and fits its label. Every button shows
    // the focus; Tab reaches "Výslovnost" last. Each button, clicked or pressed with Enter or Space
    // when it has the focus, opens its window modally and centred: the translation buttons set the
    // direction first and get a freshly loaded window; the others change no variable themselves.
    // Escape closes each window, and the main window is usable again.
    void buttonsOpenTheirWindowsModally()
    {
        TempDataDir data;
        data.writeLines("h.dta", {"HOUSE", "dům;", "End"});
        auto log = std::make_shared<SpeechLog>();
        Form1 form(DataDirectory(data.path()), recordingServices(log));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QString credit = QStringLiteral("slovník 2.0 (GPL) · hesla: FreeDict, GNU GPL 2+");
        QCOMPARE(accessibleView(&form),
                 (QStringList{"Form1 Window Anglicko-český slovník verze 2.0",
                              "Command1 Button Anglicko český překlad",
                              "Command2 Button česko anglický překlad",
                              "Command3 Button Listování ve slovníku", "Command4 Button Konec",
                              "Label1 StaticText " + credit, "Command5 Button Výslovnost"}));
        const auto* label = control<QLabel>(&form, "Label1");
        QVERIFY(label->fontMetrics().horizontalAdvance(credit) <= label->width());
        QCOMPARE(QApplication::focusWidget(), control(&form, "Command1"));
        QCOMPARE(focusNotShown(&form), QStringList());
        control(&form, "Command1")->setFocus();
        for (const char* next : {"Command2", "Command3", "Command4", "Command5", "Command1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }

        QStringList seen; // per window: caption, DictExt, main window enabled?, Text1 + Text2
        // Opened by a mouse click, or by `key` pressed on the focused button.
        const auto open = [&](const char* button, std::function<void(QWidget*)> use = {},
                              Qt::Key key = Qt::Key_unknown) {
            whenModalOpens(&form, [&, use](QWidget* window) {
                const bool centred =
                    window->frameGeometry().center() == form.screen()->availableGeometry().center();
                seen << window->windowTitle() + ' ' + Module1::DictExt +
                            (form.isEnabled() ? " enabled" : " disabled") +
                            (centred ? " centred" : " off centre") +
                            (qobject_cast<OknoPreklad*>(window)
                                 ? " [" + control<QLineEdit>(window, "Text1")->text() +
                                       control<QPlainTextEdit>(window, "Text2")->toPlainText() + "]"
                                 : "");
                if (use)
                    use(window);
                else
                    QTest::keyClick(window, Qt::Key_Escape);
                seen << (window->isVisible() ? "left open" : "closed");
            });
            if (key == Qt::Key_unknown) {
                click(&form, button);
            } else {
                control(&form, button)->setFocus();
                QTest::keyClick(control(&form, button), key,
                                key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            }
            QVERIFY(form.isEnabled());
            QCOMPARE(form.focusWidget(), control(&form, button));
        };
        open("Command1", [&](QWidget* okno) {
            QTest::keyClicks(control(okno, "Text1"), "house");
            click(okno, "Command1");
            seen << control<QPlainTextEdit>(okno, "Text2")->toPlainText();
            QTest::mouseClick(control(okno, "Image1"), Qt::LeftButton, {}, QPoint(20, 20));
        });
        for (const char* button : {"Command2", "Command3"})
            open(button, {}, Qt::Key_Return);
        open("Command5", {}, Qt::Key_Enter); // on the keypad
        open("Command1", {}, Qt::Key_Space);
        QCOMPARE(seen, (QStringList{"Překlad anglicko-český .dta disabled centred []",
                                    "house ........... dům;", "closed",
                                    "Překlad česko-anglický .cze disabled centred []", "closed",
                                    "Listování ve slovníku .cze disabled centred", "closed",
                                    "Výslovnost .cze disabled centred", "closed",
                                    "Překlad anglicko-český .dta disabled centred []", "closed"}));
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

    // The pictures of the first paint are stored undecoded, pixel for pixel the assets;
    // anything else under their names is refused rather than drawn as garbage.
    void firstPaintPicturesAreTheAssetsUndecoded()
    {
        const std::pair<QString, const char*> pictures[] = {
            {Look::Picture::Form1Background, "form1-background.jpg"},
            {Look::Picture::ButtonTexture, "button-texture.png"},
            {Look::Picture::Icon32, "icon-32.png"},
            {Look::Picture::Icon16, "icon-16.png"}};
        for (const auto& [name, asset] : pictures) {
            const QImage expected(QStringLiteral(SLOVNIK_ASSETS_DIR "/") + asset);
            QVERIFY(!expected.isNull());
            QCOMPARE(pixels(Look::picture(name).toImage()), pixels(expected));
        }

        const QByteArray raw =
            RawPicture::encode(QImage(QStringLiteral(SLOVNIK_ASSETS_DIR "/icon-16.png")));
        const auto decodes = [](const QByteArray& bytes) {
            return !RawPicture::decode(reinterpret_cast<const uchar*>(bytes.constData()),
                                       bytes.size())
                        .isNull();
        };
        QVERIFY(decodes(raw));
        for (const QByteArray& bad : {raw.chopped(1), raw + "x", QByteArray("\x89PNG")})
            QVERIFY(!decodes(bad));
    }

    // Flite and Qt Multimedia are not even mapped until a window with speech opens.
    void speechIsLoadedOnFirstNeed()
    {
        TempDataDir data;
        WindowServices services;
        services.makeSpeech = speechFromModule({QStringLiteral(SLOVNIK_SPEECH_MODULE_FILE)});
        Form1 form(DataDirectory(data.path()), services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!mapped("libflite") && !mapped("libQt6Multimedia"));
        openFrom(form, "Command5", [](QWidget*) {});
        QVERIFY(mapped("libflite") && mapped("libQt6Multimedia"));
    }

    // A program without its speech module translates silently and says so in the first
    // window of each run; the module is not looked for again at every opening.
    void missingModuleIsToldOncePerRun()
    {
        TempDataDir data;
        data.writeLines("h.dta", {"HOUSE", "dům;", "End"});
        const QString missing = data.file("lib/slovnik-speech.so");
        for (int run = 0; run < 2; ++run) {
            WindowServices services;
            services.makeSpeech = speechFromModule({missing});
            Form1 form(DataDirectory(data.path()), services);
            form.show();
            QStringList seen;
            openFrom(form, "Command1", [&](QWidget* okno) {
                seen << noticeOf(okno);
                QTest::keyClicks(control(okno, "Text1"), "house");
                click(okno, "Command1");
                seen << control<QPlainTextEdit>(okno, "Text2")->toPlainText();
            });
            openFrom(form, "Command5", [&](QWidget* form2) { seen << noticeOf(form2); });
            QCOMPARE(seen, (QStringList{"Řeč není k dispozici: chybí modul řeči (hledán jako " +
                                            missing + "). Vše ostatní funguje, jen bez zvuku.",
                                        "house ........... dům;", ""}));
        }
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
