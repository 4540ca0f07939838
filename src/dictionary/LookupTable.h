#pragma once

#include "dictionary/FileReader.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// The table through which the translation pass looks up the head words of one letter file.
namespace LetterFile
{

// A lookup keeps a letter file up to this size in memory (the carried dictionary's files take
// up to about 260 KiB); a bigger one, such as a file of 32,767 entries (about 1.3 MiB), it
// reads back hit by hit.
inline constexpr qint64 KeptFileSize = 1024 * 1024;

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
