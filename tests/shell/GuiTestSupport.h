#pragma once

#include "dictionary/LetterFile.h"
#include "shell/WindowServices.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Every call that windows make on their speech controls, in order, e.g. "speed 170",
// "speak house", "voice 2"; `controls` counts the controls created.
struct SpeechLog {
    QStringList calls;
    int controls = 0;
    std::function<void()> onCall; // runs at every call, e.g. to look at the window meanwhile
};

class RecordingSpeech final : public SpeechControl
{
  public:
    explicit RecordingSpeech(std::shared_ptr<SpeechLog> log) : m_log(std::move(log))
    {
        ++m_log->controls;
    }

    void speak(const QString& text) override { record(QStringLiteral("speak ") + text); }
    void selectVoice(int voice) override { record(QStringLiteral("voice %1").arg(voice)); }
    void setSpeed(int speed) override { record(QStringLiteral("speed %1").arg(speed)); }

  private:
    void record(const QString& call)
    {
        m_log->calls << call;
        if (m_log->onCall)
            m_log->onCall();
    }
    std::shared_ptr<SpeechLog> m_log;
};

inline WindowServices recordingServices(const std::shared_ptr<SpeechLog>& log)
{
    WindowServices services;
    services.makeSpeech = [log] { return std::make_unique<RecordingSpeech>(log); };
    return services;
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The control of `window` with the given object name (every control is named as in the
// window's class).
template <class Widget = QWidget> Widget* control(QWidget& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    Q_ASSERT(widget);
    return widget;
}

// Writes a letter file of the given lines (Windows-1250, CR LF).
inline bool writeLetterFile(const QString& path, const QStringList& lines)
{
    QFile file(path);
    const QByteArray bytes = LetterFile::joinLines(lines);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Types `text` into `widget` key by key, Czech letters included (QTest::keyClicks takes
// ASCII only).
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Runs `action` on the next modal window other than `current`, as soon as it is open. It is
// scheduled before the click that opens the window and runs inside that window's own event
// loop; the action must close the window, or the click never returns. The watch ends with
// `current` and after a few seconds, leaving `action` unrun, so that a window that never
// opens fails a check instead of hanging the test.
inline void whenModalOpens(QWidget* current, std::function<void(QWidget*)> action,
                           int triesLeft = 500)
{
    QTimer::singleShot(10, current, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != current && modal->isVisible()) {
            action(modal);
            return;
        }
        if (triesLeft > 0)
            whenModalOpens(current, action, triesLeft - 1);
    });
}
