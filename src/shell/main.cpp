#include "shell/DataDirectory.h"
#include "shell/Form1.h"
#include "shell/Look.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Names the per-user data directory: ~/.local/share/slovnik/data/ on Linux.
    QApplication::setApplicationName(QStringLiteral("slovnik"));
    QApplication::setWindowIcon(Look::windowIcon());

    Form1 form1(DataDirectory::standard());
    form1.show();
    return QApplication::exec();
}
