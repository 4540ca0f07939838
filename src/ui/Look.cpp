#include "ui/Look.h"

#include "ui/Accessibility.h"
#include "ui/RawPicture.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
#include <QScreen>
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

void centreOnScreen(QWidget& window, const QWidget* over)
{
    const QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QWidget& framed = window.isVisible() || !over ? window : *over;
    const QRect client = framed.geometry();
    const QRect frame = framed.frameGeometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    QRect centred(QPoint(), window.size().grownBy(margins));
    centred.moveCenter(screen->availableGeometry().center());
    // A window's position is that of its frame.
    window.move(centred.topLeft());
}

void paintBackground(QWidget& window, const QPixmap& picture)
{
    QPainter painter(&window);
    painter.drawPixmap(0, 0, picture);
}

void widenToFit(QLabel& label)
{
    label.resize(std::max(label.width(), label.sizeHint().width()), label.height());
}

void setMousePointer(QWidget& window, MousePointer pointer)
{
    if (pointer == MousePointer::Hourglass)
        window.setCursor(Qt::WaitCursor);
    else
        window.unsetCursor();
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
    if (isChecked())
        painter.fillRect(rect(), QColor(20, 20, 110, 150));

    // The focused button gets a black edge around its bevel, as on the platform this program
    // comes from, and a dotted frame around its caption where the face has room for it.
    QRect face = rect();
    if (hasFocus()) {
        painter.setPen(Qt::black);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        face.adjust(1, 1, -1, -1);
    }
    qDrawWinButton(&painter, face, palette(), down, nullptr);

    painter.setFont(font());
    const QColor captionColour = isChecked() ? QColor(Qt::white) : QColor(Qt::black);
    painter.setPen(isEnabled() ? captionColour
                               : palette().color(QPalette::Disabled, QPalette::ButtonText));
    const QRect captionArea = rect().adjusted(4, 2, -4, -2).translated(shift);
    QRect caption;
    painter.drawText(captionArea, Qt::AlignCenter | Qt::TextWordWrap, text(), &caption);

    if (!hasFocus())
        return;
    // The dotted frame runs round the caption's ink, inside the bevel; on a small button it
    // comes close to the bevel, and a side with no room beside the ink is left out.
    const QFontMetrics metrics(font());
    QRect ink = caption;
    if (caption.height() < 2 * metrics.lineSpacing()) {
        const QRect tight = metrics.tightBoundingRect(text());
        ink = QRect(caption.left() + tight.left(), caption.top() + metrics.ascent() + tight.top(),
                    tight.width(), tight.height());
    }
    const QRect mark = ink.adjusted(-3, -2, 3, 2).intersected(face.adjusted(2, 2, -2, -2));
    QPen dots(captionColour, 0);
    dots.setDashPattern({1, 1});
    painter.setPen(dots);
    if (mark.top() < ink.top())
        painter.drawLine(mark.topLeft(), mark.topRight());
    if (mark.bottom() > ink.bottom())
        painter.drawLine(mark.bottomLeft(), mark.bottomRight());
    if (mark.left() < ink.left())
        painter.drawLine(mark.topLeft(), mark.bottomLeft());
    if (mark.right() > ink.right())
        painter.drawLine(mark.topRight(), mark.bottomRight());
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

ClickablePicture::ClickablePicture(const QString& picture, QWidget* parent)
    : QAbstractButton(parent), m_picture(Look::picture(picture))
{
    setFocusPolicy(Qt::NoFocus);
}

void ClickablePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

QIcon Look::noIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

namespace
{

void buildWindow(QWidget& window, const WindowDesign& design)
{
    Accessibility::install();
    window.setObjectName(QLatin1String(design.name));
    window.setWindowTitle(design.caption);
    window.setWindowIcon(design.icon);
    window.setFont(Look::windowFont());
    Look::makeFixedFrame(window,
                         Look::twips(design.clientTwips.width(), design.clientTwips.height()));
    Look::centreOnScreen(window);
}

} // namespace

PictureWindow::PictureWindow(const WindowDesign& design, QWidget* parent)
    : QWidget(parent, Qt::Window), m_background(Look::picture(design.background))
{
    buildWindow(*this, design);
}

void PictureWindow::paintEvent(QPaintEvent*)
{
    Look::paintBackground(*this, m_background);
}

PictureDialog::PictureDialog(const WindowDesign& design, QWidget* parent)
    : QDialog(parent), m_background(Look::picture(design.background))
{
    buildWindow(*this, design);
}

void PictureDialog::paintEvent(QPaintEvent*)
{
    Look::paintBackground(*this, m_background);
}

void PictureDialog::keyPressEvent(QKeyEvent* event)
{
    // The same closing as the close control's, not QDialog's own rejection.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}
