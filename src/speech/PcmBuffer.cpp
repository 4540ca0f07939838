#include "speech/PcmBuffer.h"

#include <algorithm>
#include <cstring>

namespace
{
// Flite hands over about 20 ms at a time; joining them saves allocations.
constexpr qsizetype PieceJoinLimit = 64 * 1024;
constexpr qint64 SampleBytes = 2;
} // namespace

void PcmBuffer::append(quint64 speaker, const char* data, qint64 size)
{
    if (size <= 0)
        return;
    std::lock_guard lock(m_mutex);
    if (!m_pieces.empty() && m_pieces.back().speaker == speaker &&
        m_pieces.back().bytes.size() < PieceJoinLimit)
        m_pieces.back().bytes.append(data, size);
    else
        m_pieces.push_back({speaker, QByteArray(data, size)});
    m_size += size;
}

qint64 PcmBuffer::read(char* data, qint64 maxSize)
{
    // Whole 16-bit samples only: half a sample left behind would shift every later one.
    maxSize -= maxSize % SampleBytes;
    std::lock_guard lock(m_mutex);
    qint64 done = 0;
    while (done < maxSize && !m_pieces.empty()) {
        Piece& piece = m_pieces.front();
        const qint64 count = std::min(maxSize - done, piece.bytes.size() - piece.consumed);
        std::memcpy(data + done, piece.bytes.constData() + piece.consumed, count);
        piece.consumed += count;
        done += count;
        if (piece.consumed == piece.bytes.size())
            m_pieces.pop_front();
    }
    m_size -= done;
    return done;
}

bool PcmBuffer::remove(quint64 speaker)
{
    std::lock_guard lock(m_mutex);
    const qint64 before = m_size;
    std::erase_if(m_pieces, [this, speaker](const Piece& piece) {
        if (piece.speaker != speaker)
            return false;
        m_size -= piece.bytes.size() - piece.consumed;
        return true;
    });
    return m_size != before;
}

void PcmBuffer::clear()
{
    std::lock_guard lock(m_mutex);
    m_pieces.clear();
    m_size = 0;
}

qint64 PcmBuffer::size() const
{
    std::lock_guard lock(m_mutex);
    return m_size;
}
