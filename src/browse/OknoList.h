#pragma once

#include "ui/Look.h"

#include "browse/BrowseHandler.h"

#include <memory>

class PictureButton;
class QComboBox;
class QKeyEvent;
class QListWidget;
class ListingBox;

// The system beep of the machine, through Qt.
class ApplicationBeep final : public SystemBeep
{
  public:
    void beep() override;
};

// The browse window: the user picks a direction in Combo1 and a letter in List1, and Text1
// lists the whole letter file, one line per entry. Each opening loads the window afresh.
class OknoList : public PictureDialog, private BrowseView
{
    Q_OBJECT

  public:
    explicit OknoList(std::shared_ptr<SystemBeep> beep = std::make_shared<ApplicationBeep>(),
                      QWidget* parent = nullptr);
    ~OknoList() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void Form_Load();
    void List1_Click();
    bool List1_KeyPress(const QKeyEvent& key);
    void Command1_Click();

    // BrowseView
    int letterIndex() const override;
    int directionIndex() const override;
    void setListing(Listing listing) override;
    void setMousePointer(MousePointer pointer) override;

    std::shared_ptr<SystemBeep> m_beep;
    int m_selectedAtPress = -1; // the letter selected when the mouse button went down

    QListWidget* List1 = nullptr;
    ListingBox* Text1 = nullptr;
    QComboBox* Combo1 = nullptr;
    PictureButton* Command1 = nullptr;
};
