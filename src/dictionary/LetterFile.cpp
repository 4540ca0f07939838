#include "dictionary/LetterFile.h"

#include "dictionary/Cp1250.h"

#include <QBuffer>
#include <QFile>
#include <array>
#include <cstring>
#include <limits>
#include <utility>

namespace LetterFile
{

namespace
{

bool readsEnd(const QString& line)
{
    return line.size() == 3 && line.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0;
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

bool LineReader::next(QByteArrayView& line)
{
    const qsizetype size = m_bytes.size();
    if (m_pos >= size)
        return false;
    const char* data = m_bytes.data();
    const auto next = [&](char c) {
        const void* found = std::memchr(data + m_pos, c, std::size_t(size - m_pos));
        return found ? static_cast<const char*>(found) - data : size;
    };
    if (m_nextCr < m_pos)
        m_nextCr = next('\r');
    if (m_nextLf < m_pos)
        m_nextLf = next('\n');
    const qsizetype end = std::min(m_nextCr, m_nextLf);
    line = m_bytes.sliced(m_pos, end - m_pos);
    m_pos = end + 1;
    if (end < size && data[end] == '\r' && m_pos < size && data[m_pos] == '\n')
        ++m_pos;
    return true;
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

bool isTerminator(const QStringList& lines, qsizetype headIndex, const QString& dictExt)
{
    const QString& head = lines.at(headIndex);
    if (!readsEnd(head))
        return false;
    if (head == terminatorLines(dictExt).constFirst())
        return true;
    for (qsizetype i = headIndex + 1; i < lines.size(); ++i) {
        if (!readsEnd(lines.at(i)))
            return false;
    }
    return true;
}

// The letters e, n and d have no other forms in the code page, so this is the decoded
// line's test on bytes.
bool readsEnd(QByteArrayView line)
{
    return line.size() == 3 && line.compare("end", Qt::CaseInsensitive) == 0;
}

bool isDefiniteTerminator(QByteArrayView line, const QString& dictExt)
{
    return line == QByteArrayView(dictExt == CzechToEnglish ? "end" : "End");
}

qsizetype terminatorLine(qsizetype lineCount, qsizetype lastNotEnd, const QList<EndLine>& endHeads)
{
    for (const EndLine& head : endHeads) {
        if (head.definite || lastNotEnd < head.index)
            return head.index;
    }
    return lineCount;
}

std::optional<QByteArray> readFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

Entries readEntries(QByteArrayView bytes, const QString& dictExt)
{
    Entries result;
    const QStringList lines = splitLines(bytes);
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        if (isTerminator(lines, i, dictExt))
            break;
        if (i + 1 >= lines.size()) {
            result.incomplete = true;
            break;
        }
        result.entries.append({lines[i], lines[i + 1]});
    }
    return result;
}

LookupTable LookupTable::fromBytes(const QByteArray& bytes)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    return std::move(*fromDevice(std::move(buffer)));
}

std::optional<LookupTable> LookupTable::fromDevice(std::unique_ptr<QIODevice> file)
{
    LookupTable table;
    std::vector<Head> heads;
    // Most entries take more than 32 bytes.
    heads.reserve(std::size_t(std::max<qint64>(file->size(), 0) / 32));

    // The file goes through one small buffer, as grep reads it: the index never holds the
    // text itself. Only lines whose end is in the buffer are taken (a CR as the last byte
    // read may be the first half of a CR LF), except at the end of the file.
    constexpr qsizetype Chunk = 64 * 1024;
    QByteArray buffer(Chunk, Qt::Uninitialized);
    qint64 bufferStart = 0; // where buffer[0] lies in the file
    qsizetype filled = 0;
    bool atEnd = false;
    for (;;) {
        if (filled == buffer.size())
            buffer.resize(buffer.size() * 2); // a pair of lines longer than the buffer
        const qint64 got = file->read(buffer.data() + filled, buffer.size() - filled);
        if (got < 0)
            return std::nullopt;
        atEnd = got == 0;
        filled += got;

        const QByteArrayView bytes(buffer.constData(), filled);
        const auto complete = [&](qsizetype next) { return next < filled || atEnd; };
        LineReader reader(bytes);
        qsizetype used = 0; // where the first pair not taken yet starts
        bool finished = false;
        QByteArrayView head;
        QByteArrayView translation;
        while (reader.next(head) && complete(reader.position())) {
            // Only this exact spelling ends a lookup; "END" or "end" are read as head words.
            if (head == QByteArrayView("End")) {
                finished = true;
                break;
            }
            if (!reader.next(translation) || !complete(reader.position()))
                break; // at the end of the file, a head line without its translation line
            const qint64 start = bufferStart + used;
            const auto hash = quint32(loweredHash(head) >> 32);
            if (start < qint64(std::numeric_limits<quint32>::max()))
                heads.push_back({hash, quint32(start)});
            else
                table.m_far.emplace_back(start, hash);
            used = reader.position();
        }
        if (finished || atEnd)
            break;
        // Keep the unfinished pair for the next read.
        std::memmove(buffer.data(), buffer.constData() + used, std::size_t(filled - used));
        bufferStart += used;
        filled -= used;
    }
    table.fillBuckets(heads);
    table.m_count = qsizetype(heads.size() + table.m_far.size());
    table.m_file = std::move(file);
    return table;
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

void LookupTable::appendIfHeadIs(qint64 start, QStringView loweredWord,
                                 QStringList& translations) const
{
    // The head and translation lines, read again; a pair longer than this is read on.
    if (!m_file->seek(start))
        return;
    QByteArray pair;
    bool whole = false; // read to the end of the file
    for (qsizetype want = 512;; want *= 2) {
        while (!whole && pair.size() < want) {
            const QByteArray more = m_file->read(want - pair.size());
            whole = more.isEmpty();
            pair += more;
        }
        LineReader reader(pair);
        QByteArrayView head;
        QByteArrayView translation;
        // A line is known whole when more follows it: a CR that ends what was read may be the
        // first half of a CR LF.
        const auto cut = [&] { return !whole && reader.position() >= pair.size(); };
        if (!reader.next(head))
            return;
        if (cut())
            continue;
        if (!lowersTo(head, loweredWord) || !reader.next(translation))
            return;
        if (cut())
            continue;
        translations.append(Cp1250::decode(translation).toLower());
        return;
    }
}

QStringList LookupTable::translationsOf(QStringView loweredWord) const
{
    QStringList translations;
    const quint32 hash = quint32(loweredHash(loweredWord) >> 32);
    if (!m_bucketEnds.empty()) {
        const std::size_t bucket = bucketOf(hash);
        for (quint32 i = bucket ? m_bucketEnds[bucket - 1] : 0; i < m_bucketEnds[bucket]; ++i) {
            if (m_checks[i] == quint16(hash))
                appendIfHeadIs(m_starts[i], loweredWord, translations);
        }
    }
    for (const auto& [start, farHash] : m_far) {
        if (farHash == hash)
            appendIfHeadIs(start, loweredWord, translations);
    }
    return translations;
}

qsizetype LookupTable::memoryBytes() const
{
    return qsizetype(sizeof(*this) + m_bucketEnds.capacity() * sizeof(quint32) +
                     m_starts.capacity() * sizeof(quint32) + m_checks.capacity() * sizeof(quint16) +
                     m_far.capacity() * sizeof(m_far[0]));
}

} // namespace LetterFile
