#pragma once

#include "support/RecordingSpeech.h"
#include "ui/Look.h"
#include "ui/WindowServices.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaEnum>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

inline WindowServices recordingServices(const std::shared_ptr<SpeechLog>& log)
{
    WindowServices services;
    services.makeSpeech = [log] { return std::make_unique<RecordingSpeech>(log); };
    return services;
}

// The control of `window` with the given object name (every control is named as in the
// window's class).
template <class Widget = QWidget> Widget* control(QWidget* window, const char* name)
{
    auto* widget = window->findChild<Widget*>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

inline void click(QWidget* window, const char* name)
{
    QTest::mouseClick(control(window, name), Qt::LeftButton);
}

// Types `text` into `widget` key by key, Czech letters included (QTest::keyClicks takes
// ASCII only).
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Runs `action` on the next modal window other than `current`, as soon as it is open, then
// closes that window if it is still open. It is scheduled before the click that opens the
// window and runs inside that window's own event loop, so a failed check inside `action`
// still lets the click return. The watch ends with `current` and after a few seconds, leaving
// `action` unrun, so that a window that never opens fails a check instead of hanging the test.
inline void whenModalOpens(QWidget* current, std::function<void(QWidget*)> action,
                           int triesLeft = 500)
{
    QTimer::singleShot(10, current, [=] {
        const QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (modal && modal != current && modal->isVisible()) {
            action(modal);
            if (modal && modal->isVisible())
                modal->close();
            return;
        }
        if (triesLeft > 0)
            whenModalOpens(current, action, triesLeft - 1);
    });
}

// Opens the window behind `button` of `window`, runs `use` on it, closes it.
inline void openFrom(QWidget& window, const char* button, std::function<void(QWidget*)> use)
{
    whenModalOpens(&window, std::move(use));
    click(&window, button);
}

// How a screen reader sees `window` and its named controls: "object role accessible-name".
inline QStringList accessibleView(QWidget* window)
{
    QStringList seen;
    for (QWidget* widget :
         QList<QWidget*>{window} + window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(widget);
        if (!widget->objectName().isEmpty())
            seen << QStringLiteral("%1 %2 %3")
                        .arg(widget->objectName(),
                             QMetaEnum::fromType<QAccessible::Role>().valueToKey(heard->role()),
                             heard->text(QAccessible::Name));
    }
    return seen;
}

// The controls of a shown, active `window` that look the same with and without the focus, or,
// on a picture button, lose some of their caption's ink to the focus marks.
inline QStringList focusNotShown(QWidget* window)
{
    QStringList unseen;
    for (QWidget* widget : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!(widget->focusPolicy() & Qt::TabFocus))
            continue;
        widget->clearFocus();
        const QImage plain = widget->grab().toImage();
        widget->setFocus();
        const QImage focused = widget->grab().toImage();
        const auto* button = dynamic_cast<PictureButton*>(widget);
        const QRgb ink = button && button->isChecked() ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        const QRect face = widget->rect().adjusted(3, 3, -3, -3); // inside the bevel
        bool inkKept = true;
        for (int y = face.top(); button && y <= face.bottom(); ++y) {
            for (int x = face.left(); x <= face.right(); ++x)
                inkKept = inkKept && (plain.pixel(x, y) != ink || focused.pixel(x, y) == ink);
        }
        if (plain == focused || !inkKept)
            unseen << widget->objectName();
    }
    return unseen;
}
