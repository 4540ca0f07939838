#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <bit>

// The lines of a letter file's bytes.
namespace LetterFile
{

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

} // namespace LetterFile
