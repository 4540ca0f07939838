#include "dictionary/LetterFile.h"

#include "dictionary/Cp1250.h"

#include <QFile>

#include <bit>
#include <cerrno>
#include <fcntl.h>
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

LookupTable LookupTable::fromBytes(QByteArrayView bytes)
{
    return build(bytes, nullptr);
}

LookupTable LookupTable::fromBytes(QByteArrayView bytes, const QSet<QString>& wanted)
{
    return build(bytes, &wanted);
}

LookupTable LookupTable::build(QByteArrayView bytes, const QSet<QString>* wanted)
{
    QSet<qsizetype> wantedLengths;
    if (wanted) {
        for (const QString& word : *wanted)
            wantedLengths.insert(word.size());
    }
    LookupTable table;
    LineReader reader(bytes);
    QByteArrayView head;
    QByteArrayView translation;
    while (reader.next(head)) {
        // Only this exact spelling ends a lookup; "END" or "end" are read as head words.
        if (head == QByteArrayView("End") || !reader.next(translation))
            break;
        ++table.m_count;
        if (wanted && !wantedLengths.contains(head.size()))
            continue;
        QString word = Cp1250::decode(head).toLower();
        if (wanted && !wanted->contains(word))
            continue;
        table.m_entries[word].append(Cp1250::decode(translation).toLower());
    }
    return table;
}

} // namespace LetterFile
