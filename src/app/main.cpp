#include "app/Form1.h"
#include "dictionary/DataDirectory.h"
#include "ui/Look.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#ifdef SLOVNIK_FIRST_PAINT_PROBE
#include "FirstPaintProbe.h"
#endif

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Names the per-user data directory: ~/.local/share/slovnik/data/ on Linux.
    QApplication::setApplicationName(QStringLiteral("slovnik"));
    QApplication::setWindowIcon(Look::windowIcon());
    // Every text of the program is Czech; so are Qt's own (the text boxes' context menus).
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    Form1 form1(DataDirectory::standard());
#ifdef SLOVNIK_FIRST_PAINT_PROBE
    // The start-up benchmark's build of the program: it quits once the main window is painted.
    FirstPaintProbe probe(form1);
#endif
    form1.show();
    return QApplication::exec();
}
