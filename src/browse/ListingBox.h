#pragma once

#include <QPlainTextEdit>
#include <QTimer>

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

    // Replaces the text with `listing`, whose lines each end in CR LF; the box shows its lines,
    // without an empty last one.
    void setListing(const QString& listing);

    // Whether the last listing is still being appended.
    bool isFilling() const { return m_appended < m_listing.size(); }

  protected:
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    qsizetype visibleLines();
    void appendSome(qsizetype lines);
    void complete();

    QString m_listing;        // the listing being appended, while it is
    qsizetype m_appended = 0; // how much of it the document holds
    qreal m_lineSpacing = 0;  // of the box's font; 0 until it is needed
    QTimer m_idle;
};
