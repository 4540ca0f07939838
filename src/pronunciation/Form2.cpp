#include "pronunciation/Form2.h"

#include "ui/Look.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <limits>

Form2::Form2(const WindowServices& services, QWidget* parent)
    : PictureDialog(Look::Picture::Form2Background, parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Výslovnost"));
    setWindowIcon(Look::noIcon());
    setFont(Look::windowFont());
    Look::makeFixedFrame(*this, Look::twips(10995, 3750));
    createControls();
    Look::centreOnScreen(*this);

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
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    Look::makeTransparentLabel(*label, colour);
    label->setGeometry(rect);
    return label;
}

PictureButton* Form2::addOption(const char* name, const QString& caption, QRect rect)
{
    // A graphical option button: a textured button that stays pressed while it is chosen.
    auto* option = new PictureButton(caption, Look::Picture::ButtonTexture, this);
    option->setObjectName(QLatin1String(name));
    option->setGeometry(rect);
    option->setCheckable(true);
    option->setAutoExclusive(true);
    return option;
}

void Form2::createControls()
{
    const QFont font = Look::dictionaryFont(9.75, true);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(Look::twips(360, 360, 10455, 405));
    Text1->setFont(font);
    Text1->setMaxLength(std::numeric_limits<int>::max()); // a pasted text is spoken whole

    // The prompt keeps its place but may grow to fit its text in a wider font.
    Label1 = addLabel("Label1", QStringLiteral("Napište text a klepněte na tlačítko Vyslovit:"),
                      Look::twips(360, 120, 4215, 255), Qt::white);
    Label1->resize(std::max(Label1->width(), Label1->sizeHint().width()), Label1->height());

    Command1 = new PictureButton(QStringLiteral("V  y  s  l  o  v  i  t"),
                                 Look::Picture::WideButtonTexture, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Look::twips(360, 960, 10455, 375));
    Command1->setFont(font);

    Command2 = new PictureButton(QStringLiteral("Zpět"), Look::Picture::ButtonTexture, this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Look::twips(9720, 3240, 1095, 375));

    Option1 =
        addOption("Option1", QStringLiteral("Ženský hlas"), Look::twips(2400, 1680, 1455, 255));
    Option2 =
        addOption("Option2", QStringLiteral("Mužský hlas"), Look::twips(2400, 1920, 1455, 255));
    Option1->setChecked(true);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(Look::twips(7680, 2160, 2175, 375));
    HScroll1->setRange(0, 2);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    HScroll1->setValue(1);
    // A scroll bar of Qt inverts its keys for scrolling views; this one is a slider whose
    // Right arrow means faster. It takes the focus, as it is in the tab order.
    HScroll1->setInvertedControls(false);
    HScroll1->setFocusPolicy(Qt::StrongFocus);

    Label2 = addLabel("Label2", QStringLiteral("Rychlost řeči:"),
                      Look::twips(8280, 1680, 1095, 255), Qt::cyan);
    Label2->resize(std::max(Label2->width(), Label2->sizeHint().width()), Label2->height());

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
