#pragma once

#include "ui/Look.h"

#include "ui/WindowServices.h"

#include <memory>

class PictureButton;
class QLabel;
class QLineEdit;
class PositionBar;

// The pronunciation window: the user types any text into Text1, picks a voice and a speed
// and presses Command1 to hear it. Voice and speed are read from their controls at every
// press; each opening loads the window afresh with its own speech control hlas1.
class Form2 : public PictureDialog
{
    Q_OBJECT

  public:
    explicit Form2(const WindowServices& services, QWidget* parent = nullptr);
    ~Form2() override;

  private:
    void createControls();
    QLabel* addLabel(const char* name, const QString& text, QRect rect, const QColor& colour);
    PictureButton* addOption(const char* name, const QString& caption, QRect rect);
    void Command1_Click();
    void Command2_Click();

    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    PictureButton* Command1 = nullptr;
    std::unique_ptr<SpeechControl> hlas1;
    PictureButton* Command2 = nullptr;
    PictureButton* Option1 = nullptr;
    PictureButton* Option2 = nullptr;
    PositionBar* HScroll1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
};
