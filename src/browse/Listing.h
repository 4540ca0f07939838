#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The listing of one letter file, one line per entry up to the terminator: the head line
// raised, the separator, the translation line as it is, CR LF. One walk over the file's lines
// finds where the entries end; the lines themselves are written a number at a time, so that
// a window shows the first ones before the rest exist. A listing may also be a fixed text.
class Listing
{
  public:
    Listing() = default;
    // A text listed as it is: its lines end in CR LF, the last one may not.
    explicit Listing(QString text);
    // The listing of a letter file's bytes; std::nullopt when the file ends after a head line
    // without its translation line.
    static std::optional<Listing> of(QByteArray bytes, const QString& dictExt);

    bool atEnd() const;
    // The next `lines` lines, fewer when the listing ends; each written as it is listed.
    QString next(qsizetype lines);
    // All the lines not taken yet.
    QString rest();

    static inline const QString Separator = QStringLiteral(" .......... ");

  private:
    QString nextOfText(qsizetype lines);

    QByteArray m_bytes;        // the file
    qsizetype m_pos = 0;       // where its next unlisted line starts
    qsizetype m_linesLeft = 0; // its lines still to list, two per entry
    QString m_text;            // a fixed text
    qsizetype m_textPos = 0;   // where its next line starts
};
