#include "dictionary/LookupTable.h"

#include "dictionary/ByteCase.h"
#include "dictionary/Cp1250.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"

#include <QFileDevice>
#include <algorithm>
#include <cstring>
#include <utility>

#include <cerrno>
#include <unistd.h>

namespace LetterFile
{

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
        prefault(bytes.data(), bytes.size());
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
                prefault(bytes.data(), bytes.size());
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
