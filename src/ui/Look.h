#pragma once

#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRect>

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

} // namespace Look

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

// A secondary window with a background photograph. It has no cancel button, so Escape does
// not close it and discard what it shows: only its own close control and the close box do.
class PictureDialog : public QDialog
{
  public:
    PictureDialog(const QString& background, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPixmap m_background;
};

// A picture that reacts to a mouse click, like the close cross; it takes no keyboard focus.
class ClickablePicture : public QLabel
{
    Q_OBJECT

  public:
    ClickablePicture(const QString& picture, QWidget* parent);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool m_pressed = false;
};
