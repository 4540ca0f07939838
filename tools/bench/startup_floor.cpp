// The floor of the start-up benchmark: the least a Qt 6 Widgets program does to put a window
// on the screen, a plain window of the main window's size with one label, built with the same
// compiler, flags and Qt as the program and watched by the same probe.
#include "FirstPaintProbe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(312, 249);
    QLabel label(QStringLiteral("slovník"), &window);
    label.move(20, 20);
    FirstPaintProbe probe(window);
    window.show();
    return QApplication::exec();
}
