#include "translate/OknoPreklad.h"

#include "dictionary/LetterFile.h"
#include "state/Module1.h"
#include "translate/BaseFormFallback.h"
#include "translate/TranslateHandler.h"
#include "ui/Look.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <limits>

using namespace Module1;

OknoPreklad::OknoPreklad(const WindowServices& services, const QString& notice, QWidget* parent)
    : PictureDialog(Look::Picture::OknoPrekladBackground, parent), m_writer(services.writer),
      m_heads(services.heads), m_baseForms(services.baseForms), m_forms(services.forms),
      m_question(this)
{
    setObjectName(QStringLiteral("OknoPreklad"));
    setWindowTitle(QStringLiteral("Překlad"));
    setWindowIcon(Look::windowIcon());
    setFont(Look::windowFont());
    Look::makeFixedFrame(*this, Look::twips(11970, 8775));
    createControls();
    addNotice(notice);
    Look::centreOnScreen(*this);

    // A window whose speech cannot be heard still translates, silently; the first window of a
    // run without speech says why in the empty result box, until a result replaces it.
    WindowSpeech speech = loadWindowSpeech(services);
    hlas2 = std::move(speech.control);
    addNotice(speech.notice);

    Form_Load();
}

OknoPreklad::~OknoPreklad() = default;

void OknoPreklad::createControls()
{
    const QFont font = Look::dictionaryFont(9.75, true);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(Look::twips(360, 240, 11175, 375));
    Text1->setFont(font);
    // A pasted text is taken whole: the translation pass says what it leaves out.
    Text1->setMaxLength(std::numeric_limits<int>::max());

    // Read-only: the result is for reading and copying; typing into it would change nothing.
    Text2 = new QPlainTextEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(Look::twips(360, 1440, 11175, 6855));
    Text2->setFont(font);
    Text2->setReadOnly(true);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    Command1 = new PictureButton(QStringLiteral("P  ř  e  k  l  a  d"),
                                 Look::Picture::WideButtonTexture, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Look::twips(360, 720, 11175, 615));
    Command1->setFont(font);

    // The prompt keeps its place but may grow to fit its text in a wider font.
    Label1 = new QLabel(QStringLiteral("Zapište text a klepněte na tlačítko Překlad:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Look::makeTransparentLabel(*Label1, Qt::white);
    QRect labelRect = Look::twips(360, 0, 3135, 255);
    labelRect.setWidth(std::max(labelRect.width(), Label1->sizeHint().width()));
    Label1->setGeometry(labelRect);

    Image1 = new ClickablePicture(Look::Picture::Close, this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Look::twips(11640, 0, 315, 315));

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &OknoPreklad::Command1_Click);
    connect(Image1, &ClickablePicture::clicked, this, &OknoPreklad::Image1_Click);
}

void OknoPreklad::Form_Load()
{
    if (DictExt == LetterFile::EnglishToCzech)
        setWindowTitle(QStringLiteral("Překlad anglicko-český"));
    if (DictExt == LetterFile::CzechToEnglish)
        setWindowTitle(QStringLiteral("Překlad česko-anglický"));
    // The base forms of the direction's language are read meanwhile, off this thread.
    if (m_baseForms)
        m_baseForms->prepare(languageOf(DictExt));
}

// Notices stand in the empty result box, a paragraph each, until the first translation.
void OknoPreklad::addNotice(const QString& notice)
{
    if (notice.isEmpty())
        return;
    const QString shown = Text2->placeholderText();
    Text2->setPlaceholderText(shown.isEmpty() ? notice : shown + QStringLiteral("\n\n") + notice);
}

void OknoPreklad::Command1_Click()
{
    TranslateHandler handler(*this, *hlas2, m_question, *m_writer, *m_heads, m_baseForms.get(),
                             m_forms.get(), &m_phrases);
    handler.run();
}

void OknoPreklad::Image1_Click()
{
    close();
}

QString OknoPreklad::inputText() const
{
    return Text1->text();
}

void OknoPreklad::setInputText(const QString& text)
{
    Text1->setText(text);
}

void OknoPreklad::setOutputText(const QString& text)
{
    // The result ends every line with CR LF; the box shows lines, without an empty last one.
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    Text2->setPlaceholderText(QString());
    Text2->setPlainText(lines);
}

void OknoPreklad::setMousePointer(MousePointer pointer)
{
    if (pointer == MousePointer::Hourglass)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}
