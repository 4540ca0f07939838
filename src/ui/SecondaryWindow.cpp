#include "ui/SecondaryWindow.h"

#include "ui/Look.h"

#include <QPointer>

void SecondaryWindow::open(QWidget& mainWindow)
{
    if (!m_window)
        m_window = m_load();

    const QPointer<QWidget> focus = mainWindow.focusWidget();
    Look::centreOnScreen(*m_window, &mainWindow);
    mainWindow.setEnabled(false);
    m_window->exec();
    m_window.reset();
    mainWindow.setEnabled(true);
    // Back on the button that opened the window, as before it opened.
    if (focus)
        focus->setFocus();
}
