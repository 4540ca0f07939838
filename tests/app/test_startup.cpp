// What the program pays for before its main window is painted, and how it tells the user,
// once, that speech cannot be heard.
#include "app/Form1.h"
#include "dictionary/DataDirectory.h"
#include "pronunciation/Form2.h"
#include "state/Module1.h"
#include "support/LetterFiles.h"
#include "translate/OknoPreklad.h"
#include "ui/GuiTestSupport.h"
#include "ui/Look.h"
#include "ui/RawPicture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace
{

// Whether a library whose file name contains `name` is mapped into this process.
bool mapped(const char* name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

// Opens the window behind `button` of `form`, runs `use` on it, closes it.
void openFrom(Form1& form, const char* button, std::function<void(QWidget*)> use)
{
    whenModalOpens(&form, std::move(use));
    click(&form, button);
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

class TestStartup : public QObject
{
    Q_OBJECT

  private slots:
    void init() { Module1::resetAll(); }

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
            QImage expected(QStringLiteral(SLOVNIK_ASSETS_DIR "/") + asset);
            QVERIFY(!expected.isNull());
            const QImage shown = Look::picture(name).toImage();
            QCOMPARE(shown.size(), expected.size());
            QCOMPARE(pixels(shown), pixels(expected));
        }
        QCOMPARE(Look::picture(Look::Picture::Close).size(), QSize(21, 21)); // decoded PNG

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

    // Flite and Qt Multimedia are not even mapped until a window that speaks opens; the
    // first window that cannot be heard (a machine without a sound output) says why, and
    // no other window of the run says it again.
    void speechIsLoadedOnFirstNeedAndItsAbsenceToldOnce()
    {
        TempDataDir data;
        WindowServices services;
        services.makeSpeech = speechFromModule({QStringLiteral(SLOVNIK_SPEECH_MODULE_FILE)});
        Form1 form(DataDirectory(data.path()), services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!mapped("libflite"));
        QVERIFY(!mapped("libQt6Multimedia"));

        QString first, second;
        openFrom(form, "Command5", [&](QWidget* form2) {
            first = noticeOf(form2);
            speakIn(form2);
        });
        QVERIFY(mapped("libflite"));
        QVERIFY(mapped("libQt6Multimedia"));
        openFrom(form, "Command1", [&](QWidget* okno) { second = noticeOf(okno); });
        // Without a sound output (as where the tests run) Qt Multimedia offers no default
        // device; with one, nothing is said at all.
        QVERIFY2(first.isEmpty() ||
                     first == QStringLiteral("Řeč není k dispozici: počítač nemá žádný zvukový "
                                             "výstup. Vše ostatní funguje, jen bez zvuku."),
                 qPrintable(first));
        QCOMPARE(second, QString());
    }

    // A program without its speech module translates and speaks silently, and says so in
    // the first window of each run; the module is not looked for again at every opening.
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
            openFrom(form, "Command5", [&](QWidget* form2) {
                seen << noticeOf(form2);
                speakIn(form2);
                seen << control<QLineEdit>(form2, "Text1")->text();
            });
            openFrom(form, "Command2", [&](QWidget* okno) { seen << noticeOf(okno); });
            QCOMPARE(seen, (QStringList{"Řeč není k dispozici: chybí modul řeči (hledán jako " +
                                            missing + "). Vše ostatní funguje, jen bez zvuku.",
                                        "house ........... dům;", "", "", ""}));
        }
    }

  private:
    static void speakIn(QWidget* form2)
    {
        QTest::keyClicks(control(form2, "Text1"), "hello");
        click(form2, "Command1");
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
