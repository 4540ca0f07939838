#include "shell/Look.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace Look
{

QFont dictionaryFont(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont windowFont()
{
    return dictionaryFont(8.25, false);
}

QIcon windowIcon()
{
    QIcon icon;
    icon.addFile(Picture::Icon32, QSize(32, 32));
    icon.addFile(Picture::Icon16, QSize(16, 16));
    return icon;
}

void makeFixedFrame(QWidget& window, QSize clientSize)
{
    window.setFixedSize(clientSize);
    const Qt::WindowFlags kind = window.windowFlags() & Qt::WindowType_Mask;
    window.setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
}

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(), window.size());
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void paintBackground(QWidget& window, const QPixmap& picture)
{
    QPainter painter(&window);
    painter.drawPixmap(0, 0, picture);
}

void makeTransparentLabel(QLabel& label, const QColor& textColour)
{
    label.setAutoFillBackground(false);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, textColour);
    label.setPalette(palette);
}

} // namespace Look

PictureButton::PictureButton(const QString& caption, const QString& texture, QWidget* parent)
    : QPushButton(caption, parent), m_texture(texture)
{
    setAutoDefault(false);
    setDefault(false);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool down = isDown() || isChecked();
    const QPoint shift = down ? QPoint(1, 1) : QPoint();

    painter.drawPixmap(shift, m_texture);
    qDrawWinButton(&painter, rect(), palette(), down, nullptr);

    painter.setFont(font());
    painter.setPen(isEnabled() ? QColor(Qt::black)
                               : palette().color(QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect().adjusted(4, 2, -4, -2).translated(shift),
                     Qt::AlignCenter | Qt::TextWordWrap, text());

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

ClickablePicture::ClickablePicture(const QString& picture, QWidget* parent) : QLabel(parent)
{
    setPixmap(QPixmap(picture));
    setFocusPolicy(Qt::NoFocus);
}

void ClickablePicture::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the picture, as on a button.
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

QIcon Look::noIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

PictureDialog::PictureDialog(const QString& background, QWidget* parent)
    : QDialog(parent), m_background(background)
{
}

void PictureDialog::paintEvent(QPaintEvent*)
{
    Look::paintBackground(*this, m_background);
}

void PictureDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
