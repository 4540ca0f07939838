#include "pronunciation/Form2.h"

#include "ui/Look.h"
#include "ui/PositionBar.h"

#include <QLabel>
#include <QLineEdit>
#include <limits>

Form2::Form2(const WindowServices& services, QWidget* parent)
    : PictureDialog({"Form2",
                     QStringLiteral("Výslovnost"),
                     {10995, 3750},
                     Look::noIcon(),
                     Look::Picture::Form2Background},
                    parent)
{
    createControls();

    // Without speech the window still opens and works, silently; the first window of a run
    // that cannot be heard says why, in the area of its speech control.
    WindowSpeech speech = loadWindowSpeech(services);
    hlas1 = std::move(speech.control);
    if (!speech.notice.isEmpty()) {
        // The area's top edge lies under Command1's bottom row; the notice keeps clear of it.
        QRect area = Look::twips(3960, 1320, 3135, 2175);
        area.setTop(std::max(area.top(), Command1->geometry().bottom() + 4));
        QLabel* notice = addLabel("SpeechNotice", speech.notice, area, Qt::white);
        notice->setWordWrap(true);
        notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

Form2::~Form2() = default;

QLabel* Form2::addLabel(const char* name, const QString& text, QRect rect, const QColor& colour)
{
    auto* label = Look::place<QLabel>(*this, name, rect, text);
    Look::makeTransparentLabel(*label, colour);
    return label;
}

PictureButton* Form2::addOption(const char* name, const QString& caption, QRect rect)
{
    // A graphical option button: a textured button that stays pressed while it is chosen.
    // Screen readers take a checkable, mutually exclusive button for a radio button.
    auto* option =
        Look::place<PictureButton>(*this, name, rect, caption, Look::Picture::ButtonTexture);
    option->setCheckable(true);
    option->setAutoExclusive(true);
    return option;
}

void Form2::createControls()
{
    const QFont font = Look::dictionaryFont(9.75, true);

    Text1 = Look::place<QLineEdit>(*this, "Text1", Look::twips(360, 360, 10455, 405));
    Text1->setFont(font);
    Text1->setMaxLength(std::numeric_limits<int>::max()); // a pasted text is spoken whole

    Label1 = addLabel("Label1", QStringLiteral("Napište text a klepněte na tlačítko Vyslovit:"),
                      Look::twips(360, 120, 4215, 255), Qt::white);
    Look::widenToFit(*Label1);
    Label1->setBuddy(Text1); // names the box for screen readers

    Command1 = Look::place<PictureButton>(*this, "Command1", Look::twips(360, 960, 10455, 375),
                                          QStringLiteral("V  y  s  l  o  v  i  t"),
                                          Look::Picture::WideButtonTexture);
    Command1->setFont(font);
    Command1->setAccessibleName(QStringLiteral("Vyslovit")); // read as a word, not letter by letter

    Command2 = Look::place<PictureButton>(*this, "Command2", Look::twips(9720, 3240, 1095, 375),
                                          QStringLiteral("Zpět"), Look::Picture::ButtonTexture);

    Option1 =
        addOption("Option1", QStringLiteral("Ženský hlas"), Look::twips(2400, 1680, 1455, 255));
    Option2 =
        addOption("Option2", QStringLiteral("Mužský hlas"), Look::twips(2400, 1920, 1455, 255));
    Option1->setChecked(true);

    // The positions are read out by the marks above them.
    HScroll1 = Look::place<PositionBar>(
        *this, "HScroll1", Look::twips(7680, 2160, 2175, 375),
        QStringList{QStringLiteral("malá"), QStringLiteral("normální"), QStringLiteral("velká")});
    HScroll1->setValue(1);
    HScroll1->setAccessibleName(QStringLiteral("Rychlost řeči"));

    Label2 = addLabel("Label2", QStringLiteral("Rychlost řeči:"),
                      Look::twips(8280, 1680, 1095, 255), Qt::cyan);
    Look::widenToFit(*Label2);
    Label2->setBuddy(HScroll1);

    // The three marks stand over the three positions of the bar. Where the font is wider than
    // the bar, the label grows evenly to both sides, so "Normální" stays over the middle.
    Label3 = addLabel("Label3", QStringLiteral("Malá         Normální       Velká"),
                      Look::twips(7680, 1920, 2175, 255), Qt::cyan);
    const int overflow = Label3->sizeHint().width() - Label3->width();
    if (overflow > 0)
        Label3->setGeometry(Label3->geometry().adjusted(-(overflow + 1) / 2, 0, overflow / 2, 0));

    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, HScroll1);
    Text1->setFocus();

    // Choosing a voice or a speed sends nothing by itself: both are read at Command1.
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
}

void Form2::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        hlas1->speak(QStringLiteral("No word to speak. Please try again."));
        return;
    }
    if (Option1->isChecked())
        hlas1->selectVoice(1);
    if (Option2->isChecked())
        hlas1->selectVoice(2);
    if (HScroll1->value() == 0)
        hlas1->setSpeed(50);
    if (HScroll1->value() == 1)
        hlas1->setSpeed(100);
    if (HScroll1->value() == 2)
        hlas1->setSpeed(150);
    hlas1->speak(Text1->text());
    Text1->setText(QString());
}

void Form2::Command2_Click()
{
    close();
}
