#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <bit>
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
    bool next(QByteArrayView& line)
    {
        const qsizetype size = m_bytes.size();
        if (m_pos >= size)
            return false;
        const qsizetype end = lineEndFrom(m_pos);
        line = m_bytes.sliced(m_pos, end - m_pos);
        m_pos = std::min(end + 1, size); // a last line may have no line end
        if (end < size && m_bytes[end] == '\r' && m_pos < size && m_bytes[m_pos] == '\n')
            ++m_pos;
        return true;
    }
    // Where the next line starts: after the last line read and its line end.
    qsizetype position() const { return m_pos; }

  private:
    qsizetype lineEndFrom(qsizetype pos)
    {
        // Most lines end within the 64 bytes already looked at.
        const quint64 bits = m_bits & (~quint64(0) << ((pos - m_block) & 63));
        if (pos >= m_block && pos - m_block < 64 && bits != 0)
            return m_block + std::countr_zero(bits);
        return lineEndAfterBlock(pos);
    }
    qsizetype lineEndAfterBlock(qsizetype pos);

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    // Line ends are found 64 bytes at a time: bit i is set when byte m_block + i is CR or LF.
    qsizetype m_block = -1;
    quint64 m_bits = 0;
};

// Splits file bytes into decoded lines, as LineReader walks them.
QStringList splitLines(QByteArrayView bytes);
// Encodes lines back, each followed by CR LF.
QByteArray joinLines(const QStringList& lines);

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

// A letter file larger than this is refused: 32,767 entries take a few megabytes at most.
inline constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
// A lookup keeps a letter file up to this size in memory (the carried dictionary's files take
// up to about 260 KiB); a bigger one, such as a file of 32,767 entries (about 1.3 MiB), it
// reads back hit by hit.
inline constexpr qint64 KeptFileSize = 1024 * 1024;

// What readFile() saw of the file, from the descriptor it read (so that it describes the
// very bytes returned).
struct FileStatus {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; // modification time in nanoseconds since the epoch
    quint64 device = 0;
    quint64 inode = 0;
    QString whyNot; // why an existing file was not read (Czech, to follow "soubor x.dta")
};

// Reads a whole letter file. A missing file is an empty one; std::nullopt when the file
// exists but cannot be read: it is not a regular file (a fifo, a device, a directory, also
// behind a symbolic link), it is larger than MaxFileSize, or reading fails. Opening never
// blocks. Qt resource paths (":/...") are read through QFile.
std::optional<QByteArray> readFile(const QString& path);
std::optional<QByteArray> readFile(const QString& path, FileStatus& status);

// The entries of a file up to its terminator, for listing. `incomplete` is set when the
// file ends after a head line without its translation line.
struct Entries {
    QList<Entry> entries;
    bool incomplete = false;
};
Entries readEntries(QByteArrayView bytes, const QString& dictExt);

// What a lookup can reach in one file: entries up to a head line that is exactly "End"; a last
// head line without its translation line is ignored. Every head is found through a hash of
// its lowered form, computed from the file's bytes as they are read. The table keeps the text
// of a file up to KeptFileSize (a hit is then a comparison in memory, with no read); of a
// bigger one it keeps where each entry starts and the open file, and reads a hit's lines
// back. It decodes a translation only when a lookup wants it.
class LookupTable
{
  public:
    // Reads `file` from its start to its end; std::nullopt when it cannot be read to its end
    // or holds more than MaxFileSize bytes. A file of up to `keptSize` bytes is kept whole.
    static std::optional<LookupTable> fromDevice(std::unique_ptr<QIODevice> file,
                                                 qint64 keptSize = KeptFileSize);
    // Text of more than MaxFileSize bytes gives an empty table.
    static LookupTable fromBytes(const QByteArray& bytes);

    // The lowered translation lines of the entries whose lowered head line equals
    // `loweredWord`, in file order.
    QStringList translationsOf(QStringView loweredWord) const;
    // Whether some entry's lowered head line equals `loweredWord`; decodes nothing.
    bool contains(QStringView loweredWord) const;
    qsizetype size() const { return qsizetype(m_starts.size()); }
    // What the table holds in memory, the kept bytes included.
    qsizetype memoryBytes() const;

  private:
    // Entries are grouped in buckets by the high bits of the hash of their lowered head line,
    // in file order within a bucket; each keeps where its head line starts and 16 more bits
    // of that hash, to be checked before the head is compared.
    struct Head {
        quint32 hash;
        quint32 start;
    };
    // Hashes the heads of the whole pairs of lines in bytes[taken...], moving `taken` past
    // them; `atEnd`: the bytes are the whole file. Whether the lookup's end has been reached.
    static bool takeHeads(QByteArrayView bytes, qint64 bytesStart, qsizetype& taken, bool atEnd,
                          std::vector<Head>& heads);
    // A big file's entry at `start`, read back into `pair`; false when the file no longer
    // holds both its lines there.
    bool readPairBack(qint64 start, QByteArray& pair, QByteArrayView& head,
                      QByteArrayView& translation) const;
    void fillBuckets(const std::vector<Head>& heads);
    std::size_t bucketOf(quint32 hash) const;
    // Calls found(translation line) for each entry whose head lowers to `loweredWord`, in
    // file order, until it returns false.
    template <typename Found> void forEachMatch(QStringView loweredWord, Found found) const;

    QByteArray m_bytes;                // a kept file's text
    std::shared_ptr<QIODevice> m_file; // a big file, open (copies of the table share it)
    int m_fd = -1;                     // its descriptor, or -1 for a Qt resource
    std::vector<quint32> m_bucketEnds; // bucket b holds the entries from m_bucketEnds[b - 1]
    std::vector<quint32> m_starts;
    std::vector<quint16> m_checks;
};

} // namespace LetterFile
