#include "shell/Look.h"

#include "shell/RawPicture.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace Look
{

QFont dictionaryFont(qreal pointSize, bool bold)
{
    // Asked for only where it is installed: a missing family costs a fallback search of the
    // whole font configuration for every size and weight, before the first paint.
    const QString msSansSerif = QStringLiteral("MS Sans Serif");
    QFont font(QStringLiteral("DejaVu Sans"));
    static const bool installed = QFontDatabase::hasFamily(msSansSerif);
    if (installed)
        font.setFamilies({msSansSerif, QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont windowFont()
{
    return dictionaryFont(8.25, false);
}

QPixmap picture(const QString& name)
{
    QPixmap pixmap;
    if (QPixmapCache::find(name, &pixmap))
        return pixmap;
    QImage image;
    const QResource resource(name);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression)
        image = RawPicture::decode(resource.data(), resource.size());
    if (image.isNull())
        image = QImage(name); // a JPEG or PNG of a secondary window
    pixmap = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(name, pixmap);
    return pixmap;
}

QIcon windowIcon()
{
    QIcon icon;
    icon.addPixmap(picture(Picture::Icon32));
    icon.addPixmap(picture(Picture::Icon16));
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
    : QPushButton(caption, parent), m_texture(Look::picture(texture))
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
    setPixmap(Look::picture(picture));
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
    : QDialog(parent), m_background(Look::picture(background))
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
