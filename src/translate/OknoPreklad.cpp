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
    : PictureDialog({"OknoPreklad",
                     QStringLiteral("Překlad"),
                     {11970, 8775},
                     Look::windowIcon(),
                     Look::Picture::OknoPrekladBackground},
                    parent),
      m_writer(services.writer), m_heads(services.heads), m_baseForms(services.baseForms),
      m_forms(services.forms), m_question(this)
{
    createControls();
    addNotice(notice);

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

    Text1 = Look::place<QLineEdit>(*this, "Text1", Look::twips(360, 240, 11175, 375));
    Text1->setFont(font);
    // A pasted text is taken whole: the translation pass says what it leaves out.
    Text1->setMaxLength(std::numeric_limits<int>::max());

    // Read-only: the result is for reading and copying; typing into it would change nothing.
    Text2 = Look::place<QPlainTextEdit>(*this, "Text2", Look::twips(360, 1440, 11175, 6855));
    Text2->setAccessibleName(QStringLiteral("Výsledek překladu"));
    Text2->setFont(font);
    Text2->setReadOnly(true);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    Command1 = Look::place<PictureButton>(*this, "Command1", Look::twips(360, 720, 11175, 615),
                                          QStringLiteral("P  ř  e  k  l  a  d"),
                                          Look::Picture::WideButtonTexture);
    Command1->setFont(font);
    Command1->setAccessibleName(QStringLiteral("Překlad")); // read as a word, not letter by letter

    Label1 = Look::place<QLabel>(*this, "Label1", Look::twips(360, 0, 3135, 255),
                                 QStringLiteral("Zapište text a klepněte na tlačítko Překlad:"));
    Look::makeTransparentLabel(*Label1, Qt::white);
    Look::widenToFit(*Label1);
    Label1->setBuddy(Text1); // names the box for screen readers

    Image1 = Look::place<ClickablePicture>(*this, "Image1", Look::twips(11640, 0, 315, 315),
                                           Look::Picture::Close);
    Image1->setAccessibleName(QStringLiteral("Zavřít"));

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &OknoPreklad::Command1_Click);
    connect(Image1, &QAbstractButton::clicked, this, &OknoPreklad::Image1_Click);
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
    Look::setMousePointer(*this, pointer);
}
