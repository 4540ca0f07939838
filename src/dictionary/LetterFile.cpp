#include "dictionary/LetterFile.h"

#include "dictionary/Cp1250.h"

#include <QFile>
#include <array>
#include <cstring>
#include <limits>
#include <utility>

#include <bit>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace LetterFile
{

namespace
{

// One code unit against a small ASCII letter, in either case.
template <typename Unit> bool isLetter(Unit unit, char lower)
{
    return (static_cast<unsigned>(unit) | 0x20u) == static_cast<unsigned char>(lower);
}

using LetterFile::readsEnd;

bool readsEnd(QStringView line)
{
    return line.size() == 3 && isLetter(line[0].unicode(), 'e') &&
           isLetter(line[1].unicode(), 'n') && isLetter(line[2].unicode(), 'd');
}

bool spelt(QStringView line, const char* text)
{
    return line == QLatin1String(text);
}

bool spelt(QByteArrayView line, const char* text)
{
    return line == QByteArrayView(text);
}

template <typename Lines> qsizetype findTerminator(const Lines& lines, const QString& dictExt)
{
    const bool czech = dictExt == CzechToEnglish;
    qsizetype lastNotEnd = -1;
    QList<EndLine> endHeads;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (!readsEnd(line))
            lastNotEnd = i;
        else if (i % 2 == 0)
            endHeads.append({i, spelt(line, "End") || (czech && spelt(line, "end"))});
    }
    return terminatorLine(lines.size(), lastNotEnd, endHeads);
}

std::optional<QByteArray> refuse(FileStatus& status, const QString& why)
{
    status.whyNot = why;
    return std::nullopt;
}

QString tooLarge()
{
    return QStringLiteral("je větší než %1 MB").arg(MaxFileSize / (1024 * 1024));
}

// Resource files (the built-in dictionary) are compiled into the program: QFile reads them.
std::optional<QByteArray> readResource(const QString& path, FileStatus& status)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    status.exists = true;
    if (!file.open(QIODevice::ReadOnly))
        return refuse(status, QStringLiteral("nelze přečíst"));
    if (file.size() > MaxFileSize)
        return refuse(status, tooLarge());
    status.size = file.size();
    return file.readAll();
}

// What each byte of a letter file lowers to, taken from the decoder and QString::toLower
// themselves. Qt lowers every character on its own, whatever stands around it, so a lowered
// line is the lowered forms of its bytes one after another (in Windows-1250 each is one
// character, but nothing here relies on that).
struct LoweredBytes {
    std::array<QString, 256> text;
    std::array<bool, 256> single{};
    std::array<char16_t, 256> unit{};

    LoweredBytes()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = static_cast<char>(byte);
            text[byte] = Cp1250::decode(QByteArrayView(&raw, 1)).toLower();
            single[byte] = text[byte].size() == 1;
            unit[byte] = single[byte] ? text[byte].at(0).unicode() : 0;
        }
    }
};

const LoweredBytes& loweredBytes()
{
    static const LoweredBytes table;
    return table;
}

// FNV-1a over UTF-16 code units, then mixed so that both halves of the result are usable.
constexpr quint64 HashSeed = 0xcbf29ce484222325ULL;

constexpr quint64 hashStep(quint64 hash, char16_t unit)
{
    return (hash ^ unit) * 0x100000001b3ULL;
}

constexpr quint64 mixed(quint64 hash)
{
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    return hash;
}

// The hash of the lowered form of a head line, from its bytes.
quint64 loweredHash(QByteArrayView line)
{
    const LoweredBytes& lowered = loweredBytes();
    quint64 hash = HashSeed;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (lowered.single[byte]) {
            hash = hashStep(hash, lowered.unit[byte]);
            continue;
        }
        for (const QChar unit : lowered.text[byte])
            hash = hashStep(hash, unit.unicode());
    }
    return mixed(hash);
}

// The same hash of a word that is lowered already.
quint64 loweredHash(QStringView word)
{
    quint64 hash = HashSeed;
    for (const QChar unit : word)
        hash = hashStep(hash, unit.unicode());
    return mixed(hash);
}

// Whether the lowered form of `line` is exactly `word`.
bool lowersTo(QByteArrayView line, QStringView word)
{
    const LoweredBytes& lowered = loweredBytes();
    qsizetype pos = 0;
    for (const char c : line) {
        const QString& text = lowered.text[static_cast<unsigned char>(c)];
        if (word.size() - pos < text.size() || word.sliced(pos, text.size()) != text)
            return false;
        pos += text.size();
    }
    return pos == word.size();
}

} // namespace

bool readsEnd(QByteArrayView line)
{
    return line.size() == 3 && isLetter(static_cast<unsigned char>(line[0]), 'e') &&
           isLetter(static_cast<unsigned char>(line[1]), 'n') &&
           isLetter(static_cast<unsigned char>(line[2]), 'd');
}

QString fileLetter(QStringView word)
{
    if (word.isEmpty())
        return {};
    QString first =
        word.first(word.size() > 1 && word[0].isHighSurrogate() ? 2 : 1).toString().toLower();
    if (first.size() == 1 && first[0].decompositionTag() == QChar::Canonical) {
        const QChar base = first[0].decomposition().at(0);
        if (base >= QLatin1Char('a') && base <= QLatin1Char('z'))
            return QString(base);
    }
    return first;
}

QString fileName(const QString& dataPath, QStringView word, const QString& dictExt)
{
    return dataPath + fileLetter(word) + dictExt;
}

QStringList terminatorLines(const QString& dictExt)
{
    if (dictExt == CzechToEnglish)
        return {QStringLiteral("end"), QStringLiteral("end")};
    return {QStringLiteral("End")};
}

namespace
{

// Bit i is set when byte start + i is a CR or an LF (bits past the end stay clear).
quint64 lineEndBits(const char* data, qsizetype size, qsizetype start)
{
    const qsizetype count = std::min<qsizetype>(64, size - start);
    quint64 bits = 0;
#ifdef __SSE2__
    if (count == 64) {
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        for (int part = 0; part < 4; ++part) {
            const __m128i bytes =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + start + 16 * part));
            const __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf));
            bits |= quint64(quint16(_mm_movemask_epi8(hit))) << (16 * part);
        }
        return bits;
    }
#endif
    for (qsizetype i = 0; i < count; ++i) {
        if (data[start + i] == '\r' || data[start + i] == '\n')
            bits |= quint64(1) << i;
    }
    return bits;
}

} // namespace

qsizetype LineReader::lineEndAfterBlock(qsizetype pos)
{
    const qsizetype size = m_bytes.size();
    const qsizetype block = pos & ~qsizetype(63);
    if (block != m_block) {
        m_block = block;
        m_bits = lineEndBits(m_bytes.data(), size, block);
    }
    quint64 bits = m_bits & (~quint64(0) << (pos - block));
    while (bits == 0) {
        m_block += 64;
        if (m_block >= size)
            return size;
        bits = m_bits = lineEndBits(m_bytes.data(), size, m_block);
    }
    return m_block + std::countr_zero(bits);
}

QStringList splitLines(QByteArrayView bytes)
{
    QStringList lines;
    LineReader reader(bytes);
    QByteArrayView line;
    while (reader.next(line))
        lines.append(Cp1250::decode(line));
    return lines;
}

QByteArray joinLines(const QStringList& lines)
{
    QByteArray bytes;
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const QString& line : lines) {
        bytes += Cp1250::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

qsizetype terminatorLine(qsizetype lineCount, qsizetype lastNotEnd, const QList<EndLine>& endHeads)
{
    // From the last candidate back to the first, knowing what follows each one.
    qsizetype found = lineCount;
    bool definiteLater = false;
    bool terminatorLater = false;
    for (qsizetype c = endHeads.size() - 1; c >= 0; --c) {
        const auto [j, definite] = endHeads[c];
        const bool terminator = definite || (!definiteLater && lastNotEnd <= j) ||
                                (!terminatorLater && (lineCount - j) % 2 == 1);
        definiteLater = definiteLater || definite;
        if (terminator) {
            terminatorLater = true;
            found = j;
        }
    }
    return found;
}

bool isDefiniteTerminator(QByteArrayView line, const QString& dictExt)
{
    return spelt(line, "End") || (dictExt == CzechToEnglish && spelt(line, "end"));
}

qsizetype terminatorLine(const QStringList& lines, const QString& dictExt)
{
    return findTerminator(lines, dictExt);
}

qsizetype terminatorLine(const QList<QByteArrayView>& lines, const QString& dictExt)
{
    return findTerminator(lines, dictExt);
}

bool isTerminator(const QStringList& lines, qsizetype headIndex, const QString& dictExt)
{
    return readsEnd(lines.at(headIndex)) && terminatorLine(lines, dictExt) == headIndex;
}

std::optional<QByteArray> readFile(const QString& path)
{
    FileStatus status;
    return readFile(path, status);
}

std::optional<QByteArray> readFile(const QString& path, FileStatus& status)
{
    status = FileStatus();
    if (path.startsWith(QLatin1Char(':')))
        return readResource(path, status);

    // Non-blocking, so that a fifo in the file's place cannot stop the program in open().
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return QByteArray();
    status.exists = true;
    if (fd < 0)
        return refuse(status, QStringLiteral("nelze přečíst"));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat info {
    };
    if (::fstat(fd, &info) != 0)
        return refuse(status, QStringLiteral("nelze přečíst"));
    if (!S_ISREG(info.st_mode))
        return refuse(status, QStringLiteral("není obyčejný soubor"));
    if (info.st_size > MaxFileSize)
        return refuse(status, tooLarge());
    status.size = info.st_size;
    status.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    status.device = info.st_dev;
    status.inode = info.st_ino;

    // Read to the end, which may come before or after the size seen (the file may change
    // meanwhile), but never past the limit.
    QByteArray bytes(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > MaxFileSize)
                return refuse(status, tooLarge());
            bytes.resize(std::min<qsizetype>(used * 2 + 4096, MaxFileSize + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refuse(status, QStringLiteral("nelze přečíst"));
        if (got == 0)
            break;
        used += got;
    }
    bytes.truncate(used);
    return bytes;
}

Entries readEntries(QByteArrayView bytes, const QString& dictExt)
{
    Entries result;
    const QStringList lines = splitLines(bytes);
    const qsizetype end = terminatorLine(lines, dictExt);
    for (qsizetype i = 0; i < end; i += 2) {
        if (i + 1 >= end) {
            result.incomplete = true;
            break;
        }
        result.entries.append({lines[i], lines[i + 1]});
    }
    return result;
}

namespace
{

// Gives fresh memory its pages in one call instead of a page fault every 4 KiB as a read fills
// it: in a virtual machine each fault is dear, and a press that reads the whole dictionary for
// the first time would spend more on them than on reading. A kernel without this advice
// simply faults as usual.
void populate(QByteArray& bytes)
{
#ifdef MADV_POPULATE_WRITE
    const auto page = quintptr(sysconf(_SC_PAGESIZE));
    const auto begin = (quintptr(bytes.data()) + page - 1) & ~(page - 1);
    const auto end = (quintptr(bytes.data()) + quintptr(bytes.size())) & ~(page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(bytes);
#endif
}

} // namespace

bool LookupTable::takeHeads(QByteArrayView bytes, qint64 bytesStart, qsizetype& taken, bool atEnd,
                            std::vector<Head>& heads)
{
    // A line is known whole when more follows it (a CR as the last byte so far may be the
    // first half of a CR LF), or at the end of the file.
    const qsizetype base = taken;
    const auto complete = [&](qsizetype next) { return base + next < bytes.size() || atEnd; };
    LineReader reader(bytes.sliced(base));
    QByteArrayView head;
    QByteArrayView translation;
    while (reader.next(head) && complete(reader.position())) {
        // "END" or "end" are read as head words.
        if (endsLookup(head))
            return true;
        if (!reader.next(translation) || !complete(reader.position()))
            return atEnd; // at the end of the file, a head line without its translation line
        heads.push_back({quint32(loweredHash(head) >> 32), quint32(bytesStart + taken)});
        taken = base + reader.position();
    }
    return atEnd;
}

LookupTable LookupTable::fromBytes(const QByteArray& bytes)
{
    LookupTable table;
    if (bytes.size() > MaxFileSize)
        return table;
    table.m_bytes = bytes;
    std::vector<Head> heads;
    // Most entries take more than 32 bytes.
    heads.reserve(std::size_t(bytes.size() / 32));
    qsizetype taken = 0;
    takeHeads(bytes, 0, taken, true, heads);
    table.fillBuckets(heads);
    return table;
}

std::optional<LookupTable> LookupTable::fromDevice(std::unique_ptr<QIODevice> file, qint64 keptSize)
{
    // A file of ordinary size is kept whole, so that a hit is compared in memory. A bigger
    // one goes through a small buffer, as grep reads it, and the table reads a hit's lines
    // back from the open file: filling fresh memory with tens of megabytes would cost the
    // first press more than reading them does.
    const bool keep = file->size() <= keptSize;
    // Read to the end, which may come before or after the size the device gives (the file
    // may change meanwhile), but never past the limit; a piece at a time, each piece's heads
    // hashed while its bytes are still in the cache.
    constexpr qsizetype Piece = 64 * 1024;
    QByteArray bytes(keep ? std::max<qint64>(file->size(), 0) + 1 : Piece, Qt::Uninitialized);
    if (keep)
        populate(bytes);
    std::vector<Head> heads;
    heads.reserve(std::size_t(std::clamp<qint64>(file->size(), 0, MaxFileSize) / 32));
    qint64 bytesStart = 0; // where bytes[0] lies in the file
    qsizetype used = 0;
    qsizetype taken = 0; // where the first pair of lines not taken yet starts in `bytes`
    for (;;) {
        if (used == bytes.size()) {
            // A file that grew while it was read, or a pair of lines longer than the buffer.
            bytes.resize(std::min<qsizetype>(used * 2 + 4096, MaxFileSize + 1));
            if (keep)
                populate(bytes);
        }
        const qint64 got = file->read(bytes.data() + used, std::min(Piece, bytes.size() - used));
        if (got < 0 || bytesStart + used + got > MaxFileSize)
            return std::nullopt;
        used += qsizetype(got);
        // What follows the lookup's end is never looked at.
        if (takeHeads(QByteArrayView(bytes.constData(), used), bytesStart, taken, got == 0, heads))
            break;
        if (!keep) {
            std::memmove(bytes.data(), bytes.constData() + taken, std::size_t(used - taken));
            bytesStart += taken;
            used -= taken;
            taken = 0;
        }
    }
    LookupTable table;
    if (keep) {
        bytes.truncate(used);
        bytes.squeeze();
        table.m_bytes = bytes;
    } else {
        const auto* device = qobject_cast<const QFileDevice*>(file.get());
        table.m_fd = device ? device->handle() : -1;
        table.m_file = std::move(file);
    }
    table.fillBuckets(heads);
    return table;
}

bool LookupTable::readPairBack(qint64 start, QByteArray& pair, QByteArrayView& head,
                               QByteArrayView& translation) const
{
    pair.clear();
    bool whole = false; // read to the end of the file
    for (qsizetype want = 512;; want *= 2) {
        while (!whole && pair.size() < want) {
            const qsizetype had = pair.size();
            pair.resize(want);
            qint64 got = -1;
            if (m_fd >= 0) {
                do
                    got = ::pread(m_fd, pair.data() + had, std::size_t(want - had), start + had);
                while (got < 0 && errno == EINTR);
            } else if (m_file->seek(start + had)) {
                got = m_file->read(pair.data() + had, want - had);
            }
            whole = got <= 0;
            pair.resize(had + std::max<qint64>(got, 0));
        }
        LineReader reader(pair);
        // A line is known whole when more follows it: a CR that ends what was read may be the
        // first half of a CR LF.
        const auto cut = [&] { return !whole && reader.position() >= pair.size(); };
        if (!reader.next(head))
            return false;
        if (cut())
            continue;
        if (!reader.next(translation))
            return false;
        if (cut())
            continue;
        return true;
    }
}

std::size_t LookupTable::bucketOf(quint32 hash) const
{
    return std::size_t((quint64(hash) * m_bucketEnds.size()) >> 32);
}

void LookupTable::fillBuckets(const std::vector<Head>& heads)
{
    // About four entries a bucket; a counting sort keeps file order within each.
    m_bucketEnds.assign(std::max<std::size_t>(1, heads.size() / 4), 0);
    for (const Head& head : heads)
        ++m_bucketEnds[bucketOf(head.hash)];
    quint32 begin = 0;
    for (quint32& end : m_bucketEnds)
        begin += std::exchange(end, begin);
    m_starts.resize(heads.size());
    m_checks.resize(heads.size());
    for (const Head& head : heads) {
        const quint32 at = m_bucketEnds[bucketOf(head.hash)]++;
        m_starts[at] = head.start;
        m_checks[at] = quint16(head.hash);
    }
}

template <typename Found> void LookupTable::forEachMatch(QStringView loweredWord, Found found) const
{
    if (m_bucketEnds.empty())
        return; // the table of no file
    const quint32 hash = quint32(loweredHash(loweredWord) >> 32);
    const std::size_t bucket = bucketOf(hash);
    QByteArray pair; // a pair of lines read back from the file
    for (quint32 i = bucket ? m_bucketEnds[bucket - 1] : 0; i < m_bucketEnds[bucket]; ++i) {
        if (m_checks[i] != quint16(hash))
            continue;
        QByteArrayView head;
        QByteArrayView translation;
        if (m_file) {
            if (!readPairBack(m_starts[i], pair, head, translation))
                continue;
        } else {
            // Every entry in the table has both its lines.
            LineReader reader(QByteArrayView(m_bytes).sliced(m_starts[i]));
            reader.next(head);
            reader.next(translation);
        }
        if (lowersTo(head, loweredWord) && !found(translation))
            return;
    }
}

QStringList LookupTable::translationsOf(QStringView loweredWord) const
{
    QStringList translations;
    forEachMatch(loweredWord, [&](QByteArrayView translation) {
        translations.append(Cp1250::decode(translation).toLower());
        return true;
    });
    return translations;
}

bool LookupTable::contains(QStringView loweredWord) const
{
    bool found = false;
    forEachMatch(loweredWord, [&](QByteArrayView) {
        found = true;
        return false;
    });
    return found;
}

qsizetype LookupTable::memoryBytes() const
{
    return qsizetype(sizeof(*this) + std::size_t(m_bytes.capacity()) +
                     m_bucketEnds.capacity() * sizeof(quint32) +
                     m_starts.capacity() * sizeof(quint32) + m_checks.capacity() * sizeof(quint16));
}

} // namespace LetterFile
