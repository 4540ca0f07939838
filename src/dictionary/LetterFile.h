#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// Letter files: one plain-text file per initial letter and direction, in the data
// directory. A file is a sequence of entries (a head line, then a translation line)
// followed by a terminator: "End" in English-to-Czech files, "end" and "end" in
// Czech-to-English files. Bytes are Windows-1250; lines end with CR LF.
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

// Walks the lines of file bytes without decoding them; CR LF, LF alone and CR alone each end
// a line, and a last line without a line end is a line too.
class LineReader
{
  public:
    explicit LineReader(QByteArrayView bytes) : m_bytes(bytes) {}
    bool next(QByteArrayView& line);

  private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

// Splits file bytes into decoded lines, as LineReader walks them.
QStringList splitLines(QByteArrayView bytes);
// Encodes lines back, each followed by CR LF.
QByteArray joinLines(const QStringList& lines);

// The one rule for "which head line ends the entries" wherever a head line reading "end"
// in any letter case is taken for the end: it is the terminator when it is spelt exactly
// as the system writes it ("End" in .dta, "end" in .cze), or when nothing but lines
// reading "end" follows it. A learned entry END is therefore an entry like any other.
bool isTerminator(const QStringList& lines, qsizetype headIndex, const QString& dictExt);

// Reads a whole file. A missing file is an empty one; std::nullopt when the file exists
// but cannot be read.
std::optional<QByteArray> readFile(const QString& path);

// The entries of a file up to its terminator, for listing. `incomplete` is set when the
// file ends after a head line without its translation line.
struct Entries {
    QList<Entry> entries;
    bool incomplete = false;
};
Entries readEntries(QByteArrayView bytes, const QString& dictExt);

// What a lookup can reach in one file: entries up to a head line that is exactly "End",
// keyed by the lowered head word, with the lowered translations in file order. A last head
// line without its translation line is ignored.
class LookupTable
{
  public:
    static LookupTable fromBytes(QByteArrayView bytes);
    // Keeps only the entries of the given lowered words. A head line whose length differs
    // from every wanted word's cannot match (one byte is one character) and is not decoded.
    static LookupTable fromBytes(QByteArrayView bytes, const QSet<QString>& wanted);
    QStringList translationsOf(const QString& loweredWord) const
    {
        return m_entries.value(loweredWord);
    }
    qsizetype size() const { return m_count; }

  private:
    static LookupTable build(QByteArrayView bytes, const QSet<QString>* wanted);

    QHash<QString, QStringList> m_entries;
    qsizetype m_count = 0;
};

} // namespace LetterFile
