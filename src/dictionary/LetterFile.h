#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// Letter files: one plain-text file per initial letter and direction, in the data
// directory. A file is a sequence of entries (a head line, then a translation line)
// followed by a terminator: "End" in English-to-Czech files, "end" and "end" in
// Czech-to-English files. Bytes are Windows-1250; lines end with CR LF.
// Here are the rules of the format: the files' names and where their entries end.
namespace LetterFile
{

inline const QString EnglishToCzech = QStringLiteral(".dta");
inline const QString CzechToEnglish = QStringLiteral(".cze");

struct Entry {
    QString head;
    QString translation;
    bool operator==(const Entry&) const = default;
};

// The letter that names the file of `word`: its first character lowered, and for a letter
// with a diacritic mark its base letter ("č" -> "c", "Ů" -> "u"). Empty for an empty word.
QString fileLetter(QStringView word);

// DataPath + letter + extension. The letter is a single word character (never a path
// separator or a dot), so the name always stays inside the data directory.
QString fileName(const QString& dataPath, QStringView word, const QString& dictExt);

// The terminator lines the system writes after the entries of a direction.
QStringList terminatorLines(const QString& dictExt);

// The one rule for "which head line ends the entries", for every reader but the lookup.
// Only head lines (even line indices) that read "end" in any letter case are candidates; the
// first candidate that is one of these ends the entries:
// - a line spelt "End", where the lookup stops, or spelt as the system writes the
//   terminator of the direction ("end" in .cze);
// - another spelling ("END", "eNd", ...) when no line of the first kind follows at a head
//   position and nothing but lines reading "end" follows it (a hand-made terminator at the
//   end of the file);
// - another spelling when reading it as a head word would leave the file ending in a head
//   line without its translation (a hand-made terminator with lines after it).
// Any other candidate is a head word: a learned entry END, whatever its translation, stays
// an entry, and no entry ever sits after an "End" head line where the lookup cannot reach it.
// Returns the terminator's line index, or lines.size() when the file has none.
qsizetype terminatorLine(const QStringList& lines, const QString& dictExt);
qsizetype terminatorLine(const QList<QByteArrayView>& lines, const QString& dictExt);
// The same from what a single walk over a file gathers: its number of lines, the index of
// its last line that does not read "end" (-1 for none), and the head lines that read "end",
// in file order, each with whether it is spelt "End" or as the direction's terminator.
struct EndLine {
    qsizetype index;
    bool definite;
};
qsizetype terminatorLine(qsizetype lineCount, qsizetype lastNotEnd, const QList<EndLine>& endHeads);
// Gathers, a line at a time, what terminatorLine() needs from one walk over a file.
class EndFinder
{
  public:
    explicit EndFinder(const QString& dictExt);
    // Takes the file's next line; whether it is a head line that reads "end", a candidate.
    bool add(QByteArrayView line);
    bool add(QStringView line);
    qsizetype lineCount() const { return m_lines; }
    qsizetype terminatorLine() const;

  private:
    template <typename Line> bool take(Line line);

    bool m_czech;
    qsizetype m_lines = 0;
    qsizetype m_lastNotEnd = -1;
    QList<EndLine> m_endHeads;
};
// Whether a head line that reads "end" is spelt "End" or as the terminator of `dictExt`.
bool isDefiniteTerminator(QByteArrayView line, const QString& dictExt);
// Whether a line reads "end" in any letter case.
bool readsEnd(QByteArrayView line);
// Whether a lookup stops at this head line: only one spelt exactly "End" ends its reading.
// Learning puts new entries where the lookup stops, so the two never disagree about which
// entries a file holds.
inline bool endsLookup(QByteArrayView headLine)
{
    return headLine == QByteArrayView("End");
}
// Whether the head line at `headIndex` is the one terminatorLine() finds.
bool isTerminator(const QStringList& lines, qsizetype headIndex, const QString& dictExt);

// The entries of a file up to its terminator, for listing. `incomplete` is set when the
// file ends after a head line without its translation line.
struct Entries {
    QList<Entry> entries;
    bool incomplete = false;
};
Entries readEntries(QByteArrayView bytes, const QString& dictExt);

} // namespace LetterFile
