// Takes the screenshots of the README from the real windows: the main window, the learning
// dialog of the worked example and the translation window with its result. Runs on the
// dictionary built into the program, in a temporary data directory. Under a window manager
// (X11) the pictures include the window frames; offscreen they show the client areas.
#include "app/Form1.h"
#include "dictionary/DataDirectory.h"
#include "ui/GuiTestSupport.h"
#include "ui/Look.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cstdio>

namespace
{

QString outputDirectory;
bool allSaved = true;

void save(QWidget* window, const QString& name)
{
    QTest::qWait(400); // let a window manager place and decorate the window
    QPixmap picture;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        picture = window->screen()->grabWindow(
            0, window->frameGeometry().x(), window->frameGeometry().y(),
            window->frameGeometry().width(), window->frameGeometry().height());
    else
        picture = window->grab();
    const QString path = outputDirectory + QLatin1Char('/') + name;
    const bool saved = picture.save(path);
    allSaved = allSaved && saved;
    std::printf("%s %s (%dx%d)\n", saved ? "saved" : "FAILED", qPrintable(path), picture.width(),
                picture.height());
}

template <class Widget> Widget* child(QWidget* window, const char* name)
{
    return window->findChild<Widget*>(QLatin1String(name));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("slovnik"));
    QApplication::setWindowIcon(Look::windowIcon());
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argv[0]);
        return 2;
    }
    outputDirectory = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();

    QTemporaryDir home;
    WindowServices quiet; // pictures need no sound
    quiet.makeSpeech = [] { return std::make_unique<SilentSpeech>(); };
    Form1 form1(DataDirectory(home.path() + QStringLiteral("/data/")), quiet);
    form1.show();
    if (!QTest::qWaitForWindowExposed(&form1))
        return 1;
    save(&form1, QStringLiteral("form1.png"));

    whenModalOpens(&form1, [](QWidget* okno) {
        QTest::keyClicks(child<QLineEdit>(okno, "Text1"),
                         QStringLiteral("A big House and a new smartphone."));
        whenModalOpens(okno, [](QWidget* question) {
            typeText(child<QLineEdit>(question, "Answer"), QStringLiteral("chytrý telefon"));
            save(question, QStringLiteral("learning.png"));
            QTest::keyClick(child<QLineEdit>(question, "Answer"), Qt::Key_Return);
        });
        child<QPushButton>(okno, "Command1")->click();
        save(okno, QStringLiteral("oknopreklad.png"));
        okno->close();
    });
    child<QPushButton>(&form1, "Command1")->click();

    whenModalOpens(&form1, [](QWidget* okno) {
        QTest::keyClick(child<QListWidget>(okno, "List1"), 'c');
        save(okno, QStringLiteral("oknolist.png"));
        okno->close();
    });
    child<QPushButton>(&form1, "Command3")->click();

    whenModalOpens(&form1, [](QWidget* form2) {
        typeText(child<QLineEdit>(form2, "Text1"), QStringLiteral("Good morning, how are you?"));
        save(form2, QStringLiteral("form2.png"));
        form2->close();
    });
    child<QPushButton>(&form1, "Command5")->click();
    return allSaved ? 0 : 1;
}
