#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

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
    // Where the next line starts.
    qsizetype position() const { return std::min(m_pos, m_bytes.size()); }

  private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    // Where the next CR and the next LF lie (size() when there is none), found with memchr
    // and looked for again only once passed: each byte is scanned a bounded number of times.
    qsizetype m_nextCr = -1;
    qsizetype m_nextLf = -1;
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
// The same rule from what a single walk over a file gathers: its number of lines, the index
// of its last line that does not read "end" (-1 for none), and the head lines that read
// "end", in file order, each with whether it is spelt as the direction's terminator. Returns
// the terminator's line index, or lineCount when the file has none.
struct EndLine {
    qsizetype index;
    bool definite;
};
qsizetype terminatorLine(qsizetype lineCount, qsizetype lastNotEnd, const QList<EndLine>& endHeads);
// Whether a head line that reads "end" is spelt as the terminator of `dictExt`.
bool isDefiniteTerminator(QByteArrayView line, const QString& dictExt);
// Whether a line reads "end" in any letter case.
bool readsEnd(QByteArrayView line);

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

// What a lookup can reach in one file: entries up to a head line that is exactly "End"; a last
// head line without its translation line is ignored. Every head is found through a hash of
// its lowered form, computed from the file's bytes as they are read; the table keeps where
// each entry starts and the open file, and reads and decodes a translation only when a
// lookup finds its head.
class LookupTable
{
  public:
    // Reads `file` from its start; the table keeps it open for the translations it holds
    // (copies of the table share it). std::nullopt when the file cannot be read to its end.
    static std::optional<LookupTable> fromDevice(std::unique_ptr<QIODevice> file);
    static LookupTable fromBytes(const QByteArray& bytes);

    // The lowered translation lines of the entries whose lowered head line equals
    // `loweredWord`, in file order.
    QStringList translationsOf(QStringView loweredWord) const;
    qsizetype size() const { return m_count; }
    // What the table holds in memory.
    qsizetype memoryBytes() const;

  private:
    // Entries are grouped in buckets by the high bits of the hash of their lowered head line,
    // in file order within a bucket; each keeps where its head line starts and 16 more bits
    // of that hash, to be checked before the head is read again.
    struct Head {
        quint32 hash;
        quint32 start;
    };
    void fillBuckets(const std::vector<Head>& heads);
    std::size_t bucketOf(quint32 hash) const;
    void appendIfHeadIs(qint64 start, QStringView loweredWord, QStringList& translations) const;

    std::shared_ptr<QIODevice> m_file;
    qsizetype m_count = 0;
    std::vector<quint32> m_bucketEnds; // bucket b holds the entries from m_bucketEnds[b - 1]
    std::vector<quint32> m_starts;
    std::vector<quint16> m_checks;
    // Entries whose head line starts 4 GiB or more into the file, in file order.
    std::vector<std::pair<qint64, quint32>> m_far;
};

} // namespace LetterFile
