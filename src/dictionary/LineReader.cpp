#include "dictionary/LineReader.h"

#include "dictionary/Cp1250.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace LetterFile
{

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

} // namespace LetterFile
