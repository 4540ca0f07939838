#pragma once

#include "browse/Listing.h"

#include <QPlainTextEdit>
#include <QTimer>

class QTextDocument;

// The listing box of the browse window: a plain text box that the user may scroll, select,
// copy from and edit. A long listing is shown without waiting for all of it: the lines that
// fill the box are shown and painted at once, and the rest is appended while the program is
// idle. Whatever the user does to the box first completes the listing, so every action sees
// all of it.
class ListingBox : public QPlainTextEdit
{
    Q_OBJECT

  public:
    explicit ListingBox(QWidget* parent);

    // Replaces the text with the lines of `listing`, without an empty last one.
    void setListing(Listing listing);

    // Whether the last listing is still being appended.
    bool isFilling() const { return !m_listing.atEnd(); }

  protected:
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    qsizetype visibleLines();
    void appendSome(QTextDocument& document, qsizetype lines);
    void complete();

    Listing m_listing;             // what is left of the listing being appended
    bool m_startedListing = false; // whether the document holds some of it
    qreal m_lineSpacing = 0;       // of the box's font; 0 until it is needed
    QTimer m_idle;
};
