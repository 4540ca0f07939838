#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

// Start-up measurement only (the start-up benchmark's builds, never the installed program):
// when `window` has had its first paint event and the frame has gone out, prints
// "painted <CLOCK_MONOTONIC nanoseconds>" on stdout and quits the application.
//
// Qt paints a window and flushes its backing store to the screen in one go; a zero timer
// started from inside the paint event therefore fires only after the frame is out. The
// clock is the system-wide monotonic one, so the benchmark subtracts the moment it started
// the process.
class FirstPaintProbe final : public QObject
{
  public:
    explicit FirstPaintProbe(QWidget& window) : m_window(window)
    {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("painted %lld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    QWidget& m_window;
    bool m_seen = false;
};
