#pragma once

#include <QPlainTextEdit>
#include <QTimer>

class QTextDocument;

// The listing box of the browse window: a plain text box that the user may scroll, select,
// copy from and edit. A long listing is shown without waiting for all of it: its first
// lines are shown and painted at once, and the whole listing is built in a document of its
// own while the program is idle, then takes their place. Whatever the user does to the box
// first completes the listing, so every action sees all of it.
class ListingBox : public QPlainTextEdit
{
    Q_OBJECT

  public:
    explicit ListingBox(QWidget* parent);

    // Replaces the text with `listing`, whose lines each end in CR LF; the box shows its lines,
    // without an empty last one.
    void setListing(const QString& listing);

    // Whether the whole of the last listing is still being built.
    bool isFilling() const { return m_whole != nullptr; }

  protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTextDocument* newDocument();
    void showDocument(QTextDocument* document);
    qsizetype afterLines(qsizetype from, qsizetype lines) const;
    QString linesBetween(qsizetype from, qsizetype to) const;
    void buildSome(qsizetype lines);
    void complete();

    QString m_listing;                // the listing being built, while it is
    qsizetype m_built = 0;            // how much of it the whole document holds
    QTextDocument* m_whole = nullptr; // the whole listing, until it is shown
    QTimer m_idle;
};
