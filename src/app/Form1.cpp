#include "app/Form1.h"

#include "browse/OknoList.h"
#include "dictionary/LetterFile.h"
#include "pronunciation/Form2.h"
#include "state/Module1.h"
#include "translate/OknoPreklad.h"
#include "ui/Look.h"

#include <QCoreApplication>
#include <QLabel>
#include <utility>

using namespace Module1;

Form1::Form1(DataDirectory dataDirectory, WindowServices services, QWidget* parent)
    : PictureWindow({"Form1",
                     QStringLiteral("Anglicko-český slovník verze 2.0"),
                     {4680, 3735},
                     Look::windowIcon(),
                     Look::Picture::Form1Background},
                    parent),
      m_dataDirectory(std::move(dataDirectory)), m_services(std::move(services)),
      m_oknoPreklad([this] {
          return std::make_unique<OknoPreklad>(m_services, std::exchange(m_notice, QString()));
      }),
      m_oknoList([] { return std::make_unique<OknoList>(); }),
      m_form2([this] { return std::make_unique<Form2>(m_services); })
{
    createControls();
    Form_Load();
}

PictureButton* Form1::addButton(const char* name, const QString& caption, QRect twips,
                                qreal pointSize)
{
    auto* button =
        Look::place<PictureButton>(*this, name, twips, caption, Look::Picture::ButtonTexture);
    button->setFont(Look::dictionaryFont(pointSize, true));
    return button;
}

void Form1::createControls()
{
    Command1 = addButton("Command1", QStringLiteral("Anglicko český překlad"),
                         Look::twips(1440, 240, 1815, 615), 9.75);
    Command2 = addButton("Command2", QStringLiteral("česko anglický překlad"),
                         Look::twips(1440, 960, 1815, 615), 9.75);
    Command3 = addButton("Command3", QStringLiteral("Listování ve slovníku"),
                         Look::twips(1440, 1680, 1815, 615), 9.75);
    Command4 =
        addButton("Command4", QStringLiteral("Konec"), Look::twips(1920, 3000, 855, 255), 8.25);

    Label1 = Look::place<QLabel>(*this, "Label1", Look::twips(120, 3360, 4455, 255),
                                 QStringLiteral("slovník 2.0 (GPL) · hesla: FreeDict, GNU GPL 2+"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setAutoFillBackground(true);
    Label1->setBackgroundRole(QPalette::ToolTipBase);
    Label1->setForegroundRole(QPalette::ToolTipText);

    Command5 = addButton("Command5", QStringLiteral("Výslovnost"),
                         Look::twips(1440, 2400, 1815, 495), 9.75);

    // "Výslovnost" comes last although it sits above "Konec".
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Command5);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
}

void Form1::Form_Load()
{
    // The Windows literals named one fixed directory; here it is the per-user data directory.
    // A directory that cannot be made or written is not fatal: the built-in dictionary is
    // read instead, the first translation window says why no word can be learned, and
    // learning says it again for every word.
    const DataDirectory::Prepared prepared = m_dataDirectory.prepare();
    m_dataPath = prepared.dataPath;
    m_notice = prepared.notice();
    if (!m_notice.isEmpty())
        qWarning("%s", qUtf8Printable(m_notice));
    DataPath = m_dataPath;
}

void Form1::Command1_Click()
{
    DataPath = m_dataPath;
    DictExt = LetterFile::EnglishToCzech;
    m_oknoPreklad.open(*this);
}

void Form1::Command2_Click()
{
    DataPath = m_dataPath;
    DictExt = LetterFile::CzechToEnglish;
    m_oknoPreklad.open(*this);
}

void Form1::Command3_Click()
{
    m_oknoList.open(*this);
}

void Form1::Command5_Click()
{
    m_form2.open(*this);
}

void Form1::Command4_Click()
{
    close();
    QCoreApplication::quit();
}
