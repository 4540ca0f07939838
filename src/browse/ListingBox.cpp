#include "browse/ListingBox.h"

#include <QFontMetricsF>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <limits>

namespace
{

// A text document costs per line: the box takes the lines it does not show at once while the
// program is idle, some thousands at a time.
constexpr qsizetype LinesAtATime = 4096;

const QLatin1String CrLf("\r\n");

bool isUserAction(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

} // namespace

ListingBox::ListingBox(QWidget* parent) : QPlainTextEdit(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        appendSome(*document(), LinesAtATime);
        if (isFilling())
            m_idle.start();
    });
    verticalScrollBar()->installEventFilter(this);
}

void ListingBox::setListing(Listing listing)
{
    m_idle.stop();
    m_listing = Listing();
    m_startedListing = false;
    // Emptying an empty box again (a letter click empties it twice before it lists) costs
    // no new document.
    if (listing.atEnd() && document()->isEmpty())
        return;

    // A fresh document, as emptying a long one costs more than building a new one; the old
    // one is deleted when the program is idle, after its successor has been painted.
    QTextDocument* old = document();
    // The document the box was made with belongs to Qt, which deletes it when it is replaced.
    const bool oldIsOurs = old->parent() == this;
    auto* shown = new QTextDocument(this);
    shown->setDocumentLayout(new QPlainTextDocumentLayout(shown));
    shown->setDefaultFont(font());
    shown->setUndoRedoEnabled(false);
    m_listing = std::move(listing);
    // The lines that fill the box first, painted at once; the rest are written and appended
    // while the program is idle, so no text is laid out that nobody sees.
    appendSome(*shown, visibleLines());
    setDocument(shown);
    if (oldIsOurs)
        old->deleteLater();
    if (!isFilling())
        return;
    viewport()->repaint();
    m_idle.start();
}

qsizetype ListingBox::visibleLines()
{
    if (m_lineSpacing <= 0)
        m_lineSpacing = QFontMetricsF(font()).lineSpacing();
    return qsizetype(viewport()->height() / m_lineSpacing) + 2;
}

void ListingBox::appendSome(QTextDocument& document, qsizetype lines)
{
    // The box shows the lines without an empty last one: each line break goes in before the
    // line that follows it. A CR LF inside the text starts a new line of the document.
    QString text = m_listing.next(lines);
    if (text.endsWith(CrLf))
        text.chop(CrLf.size());
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    if (m_startedListing)
        cursor.insertBlock();
    cursor.insertText(text);
    m_startedListing = true;
    if (!isFilling())
        document.setUndoRedoEnabled(true);
}

void ListingBox::complete()
{
    m_idle.stop();
    if (isFilling())
        appendSome(*document(), std::numeric_limits<qsizetype>::max());
}

void ListingBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_lineSpacing = 0;
    QPlainTextEdit::changeEvent(event);
}

bool ListingBox::event(QEvent* event)
{
    if (isUserAction(event->type()))
        complete();
    return QPlainTextEdit::event(event);
}

bool ListingBox::viewportEvent(QEvent* event)
{
    if (isUserAction(event->type()))
        complete();
    return QPlainTextEdit::viewportEvent(event);
}

bool ListingBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == verticalScrollBar() && isUserAction(event->type()))
        complete();
    return QPlainTextEdit::eventFilter(watched, event);
}
