#pragma once

#include "state/MousePointer.h"

#include <QAbstractButton>
#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRect>

#include <utility>

// The look that all windows share: layout in twips, the dictionary font, fixed frames centred
// on the screen, background photographs, graphical buttons and the clickable close picture.
namespace Look
{

// Window layouts are given in twips; at 96 dots per inch 15 twips are one pixel.
inline constexpr int TwipsPerPixel = 15;
constexpr QRect twips(int left, int top, int width, int height)
{
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
            height / TwipsPerPixel};
}
constexpr QSize twips(int width, int height)
{
    return {width / TwipsPerPixel, height / TwipsPerPixel};
}

// The pictures built into the program (made by assets/make-pictures); those of the main
// window's first paint are stored undecoded (RawPicture.h). Read them with Look::picture().
namespace Picture
{
inline const QString Form1Background = QStringLiteral(":/pictures/form1-background.raw");
inline const QString OknoPrekladBackground =
    QStringLiteral(":/pictures/oknopreklad-background.jpg");
inline const QString OknoListBackground = QStringLiteral(":/pictures/oknolist-background.jpg");
inline const QString Form2Background = QStringLiteral(":/pictures/form2-background.jpg");
inline const QString ButtonTexture = QStringLiteral(":/pictures/button-texture.raw"); // 240 x 70
inline const QString WideButtonTexture =
    QStringLiteral(":/pictures/button-texture-wide.png");            // 800 x 70
inline const QString Close = QStringLiteral(":/pictures/close.png"); // 21 x 21
inline const QString Icon32 = QStringLiteral(":/pictures/icon-32.raw");
inline const QString Icon16 = QStringLiteral(":/pictures/icon-16.raw");
} // namespace Picture

// One of the pictures above, decoded on its first use only: later uses share it.
QPixmap picture(const QString& name);

// "MS Sans Serif" as the windows ask for it; where it is missing (on Linux it always is),
// DejaVu Sans, which has every Czech letter.
QFont dictionaryFont(qreal pointSize, bool bold);
// The font of labels that keep the window's default font.
QFont windowFont();

QIcon windowIcon();
// For windows that show no icon: an empty icon would fall back to the program's.
QIcon noIcon();

// A frame that cannot be resized, maximised or minimised, around a client area of `size`.
void makeFixedFrame(QWidget& window, QSize clientSize);
// Centres the window's frame, title bar included, on the screen that holds `over` (a window
// already shown), or on the primary screen. A window not shown yet has no frame of its own:
// it is taken to get the frame that `over` has.
void centreOnScreen(QWidget& window, const QWidget* over = nullptr);

// Draws a background photograph unscaled from the top-left corner; call from paintEvent.
void paintBackground(QWidget& window, const QPixmap& picture);

// White text with the background picture showing through.
void makeTransparentLabel(QLabel& label, const QColor& textColour);

// A label keeps its place but grows to the right to fit its text in a wider font.
void widenToFit(QLabel& label);

// A new control of `window`, named as in the window's class and placed at `rect` (from
// twips()); `args` are what the control is made from before its parent.
template <class Control, class... Args>
Control* place(QWidget& window, const char* name, QRect rect, Args&&... args)
{
    auto* control = new Control(std::forward<Args>(args)..., &window);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(rect);
    return control;
}

// The default pointer, or the hourglass while a handler reads files.
void setMousePointer(QWidget& window, MousePointer pointer);

} // namespace Look

// What a window of the program is made from: its name (that of its class), its caption, the
// size of its client area in twips, its icon and its background photograph.
struct WindowDesign {
    const char* name;
    QString caption;
    QSize clientTwips;
    QIcon icon;
    QString background;
};

// A graphical button: the texture picture, unscaled from its top-left corner, with a raised
// edge and the caption centred over it (wrapped onto two lines when it does not fit). Enter
// and Space press it when it has the focus; it is never a default button, so Enter in a text
// box does not press it. A checkable one that is checked (a chosen option) stays pressed in
// and darker.
class PictureButton : public QPushButton
{
  public:
    PictureButton(const QString& caption, const QString& texture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPixmap m_texture;
};

// The main window: named, captioned, in the window font, in a fixed frame centred on the
// screen, with its background photograph. Assistive technologies see it as a window, titled
// by its caption.
class PictureWindow : public QWidget
{
    Q_OBJECT

  public:
    PictureWindow(const WindowDesign& design, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap m_background;
};

// A secondary window, made as the main window is. Escape closes it as its own close control
// and the close box do; nothing else closes it (it has no default or cancel button).
class PictureDialog : public QDialog
{
    Q_OBJECT

  public:
    PictureDialog(const WindowDesign& design, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPixmap m_background;
};

// A picture that reacts to a mouse click, like the close cross; it takes no keyboard focus.
// Assistive technologies see a button, named by its accessible name, that they can press.
class ClickablePicture : public QAbstractButton
{
    Q_OBJECT

  public:
    ClickablePicture(const QString& picture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap m_picture;
};
