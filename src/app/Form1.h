#pragma once

#include "dictionary/DataDirectory.h"
#include "ui/Look.h"
#include "ui/SecondaryWindow.h"
#include "ui/WindowServices.h"

class QLabel;

// The main window: a menu of buttons that open the translation window in either direction
// (and the browse and pronunciation windows), and "Konec". It sets DataPath on load and
// DictExt before the translation window opens; it does no dictionary work of its own.
class Form1 : public PictureWindow
{
    Q_OBJECT

  public:
    explicit Form1(DataDirectory dataDirectory, WindowServices services = {},
                   QWidget* parent = nullptr);

  private:
    void createControls();
    PictureButton* addButton(const char* name, const QString& caption, QRect twips,
                             qreal pointSize);
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Command4_Click();

    DataDirectory m_dataDirectory;
    QString m_dataPath; // the data directory, or the built-in dictionary when it is unusable
    QString m_notice;   // why words cannot be learned, until the translation window told it
    WindowServices m_services;

    PictureButton* Command1 = nullptr;
    PictureButton* Command2 = nullptr;
    PictureButton* Command3 = nullptr;
    PictureButton* Command4 = nullptr;
    QLabel* Label1 = nullptr;
    PictureButton* Command5 = nullptr;

    SecondaryWindow m_oknoPreklad;
    SecondaryWindow m_oknoList;
    SecondaryWindow m_form2;
};
