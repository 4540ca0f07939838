#pragma once

#include <QDialog>
#include <functional>
#include <memory>

// One secondary window of the program. Each opening loads it afresh (its controls are
// created and its load handler runs, so it starts empty), shows it modally, centred on the
// screen of the main window, with the main window disabled, and unloads it when it closes.
class SecondaryWindow
{
  public:
    // Creates the loaded window: its constructor builds the controls and runs the load handler.
    using Loader = std::function<std::unique_ptr<QDialog>()>;

    explicit SecondaryWindow(Loader load) : m_load(std::move(load)) {}

    // Returns when the window has been closed.
    void open(QWidget& mainWindow);

    // The window while it is open, otherwise nullptr.
    QDialog* loaded() const { return m_window.get(); }

  private:
    Loader m_load;
    std::unique_ptr<QDialog> m_window;
};
