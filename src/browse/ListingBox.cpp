#include "browse/ListingBox.h"

#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <limits>
#include <utility>

namespace
{

// More lines than the box shows at once; a text document costs per line, so the box takes
// more only when the program is idle, some thousands at a time.
constexpr qsizetype FirstLines = 256;
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
        buildSome(LinesAtATime);
        if (m_whole)
            m_idle.start();
    });
    verticalScrollBar()->installEventFilter(this);
}

void ListingBox::setListing(const QString& listing)
{
    m_idle.stop();
    if (m_whole)
        std::exchange(m_whole, nullptr)->deleteLater();
    // Emptying an empty box again (a letter click empties it twice before it lists) costs
    // no new document.
    if (listing.isEmpty() && document()->isEmpty()) {
        m_listing.clear();
        return;
    }

    m_listing = listing;
    const qsizetype firstEnd = afterLines(0, FirstLines);
    QTextDocument* first = newDocument();
    first->setPlainText(linesBetween(0, firstEnd));
    showDocument(first);
    if (firstEnd == m_listing.size()) {
        m_listing.clear();
        return;
    }

    m_whole = newDocument();
    m_whole->setUndoRedoEnabled(false);
    m_built = 0;
    // The first lines are on the screen before the rest is built.
    viewport()->repaint();
    m_idle.start();
}

QTextDocument* ListingBox::newDocument()
{
    auto* document = new QTextDocument(this);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(font());
    return document;
}

void ListingBox::showDocument(QTextDocument* shown)
{
    // The document the box was made with belongs to Qt, which deletes it when it is replaced;
    // a long listing is deleted when the program is idle, not before its successor is painted.
    QTextDocument* old = document();
    const bool ours = old->parent() == this;
    setDocument(shown);
    if (ours)
        old->deleteLater();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

qsizetype ListingBox::afterLines(qsizetype from, qsizetype lines) const
{
    qsizetype pos = from;
    for (qsizetype i = 0; i < lines; ++i) {
        pos = m_listing.indexOf(CrLf, pos);
        if (pos < 0)
            return m_listing.size();
        pos += CrLf.size();
    }
    return pos;
}

QString ListingBox::linesBetween(qsizetype from, qsizetype to) const
{
    QString lines = m_listing.mid(from, to - from);
    lines.replace(CrLf, QLatin1String("\n"));
    if (to == m_listing.size() && lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    return lines;
}

void ListingBox::buildSome(qsizetype lines)
{
    const qsizetype end = afterLines(m_built, lines);
    QTextCursor cursor(m_whole);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(linesBetween(m_built, end));
    m_built = end;
    if (m_built < m_listing.size())
        return;
    m_listing.clear();
    QTextDocument* whole = std::exchange(m_whole, nullptr);
    whole->setUndoRedoEnabled(true);
    showDocument(whole);
}

void ListingBox::complete()
{
    m_idle.stop();
    if (m_whole)
        buildSome(std::numeric_limits<qsizetype>::max());
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
