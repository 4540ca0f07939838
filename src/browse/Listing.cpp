#include "browse/Listing.h"

#include "dictionary/ByteCase.h"
#include "dictionary/Cp1250.h"
#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"

#include <algorithm>
#include <limits>
#include <utility>

Listing::Listing(QString text) : m_text(std::move(text)) {}

std::optional<Listing> Listing::of(QByteArray bytes, const QString& dictExt)
{
    // Which line ends the entries is known only once every line has been seen.
    LetterFile::EndFinder ends(dictExt);
    LetterFile::LineReader lines(bytes);
    QByteArrayView line;
    while (lines.next(line))
        ends.add(line);
    const qsizetype end = ends.terminatorLine();
    if (end % 2 != 0)
        return std::nullopt; // the file ends after a head line without its translation line
    Listing listing;
    listing.m_bytes = std::move(bytes);
    listing.m_linesLeft = end;
    return listing;
}

bool Listing::atEnd() const
{
    return m_linesLeft == 0 && m_textPos == m_text.size();
}

QString Listing::rest()
{
    return next(std::numeric_limits<qsizetype>::max());
}

QString Listing::next(qsizetype lines)
{
    if (!m_text.isEmpty())
        return nextOfText(lines);
    if (m_linesLeft == 0)
        return QString();

    QString listing;
    qsizetype used = 0;
    const auto makeRoom = [&](qsizetype wanted) {
        if (listing.size() - used >= wanted)
            return;
        listing.resize(std::max(listing.size() * 2, used + wanted));
        LetterFile::prefault(listing.data() + used, (listing.size() - used) * 2);
    };
    // Room for the bytes of the entries asked for, at the file's average entry size: most
    // pairs are well over 24 bytes, and each gains the separator and CR LF.
    const qsizetype entriesLeft = m_linesLeft / 2;
    const qsizetype bytesLeft = m_bytes.size() - m_pos;
    const qsizetype share =
        lines >= entriesLeft ? bytesLeft : bytesLeft / std::max<qsizetype>(entriesLeft, 1) * lines;
    makeRoom(share + share / 2 + 64);

    LetterFile::LineReader reader(QByteArrayView(m_bytes).sliced(m_pos));
    QByteArrayView head;
    QByteArrayView translation;
    for (; lines > 0 && m_linesLeft > 0; --lines, m_linesLeft -= 2) {
        reader.next(head);
        reader.next(translation);
        makeRoom(LetterFile::raisedLengthBound(head.size()) + Separator.size() +
                 translation.size() + 2);
        QChar* const begin = listing.data();
        QChar* out = LetterFile::writeRaised(head, begin + used);
        out = std::copy(Separator.cbegin(), Separator.cend(), out);
        out = Cp1250::decodeInto(translation, out);
        *out++ = QLatin1Char('\r');
        *out++ = QLatin1Char('\n');
        used = out - begin;
    }
    m_pos += reader.position();
    listing.truncate(used);
    if (m_linesLeft == 0)
        *this = Listing(); // every entry is listed: the file is let go
    return listing;
}

QString Listing::nextOfText(qsizetype lines)
{
    const QLatin1String crLf("\r\n");
    qsizetype end = m_textPos;
    for (; lines > 0 && end < m_text.size(); --lines) {
        const qsizetype lineEnd = m_text.indexOf(crLf, end);
        end = lineEnd < 0 ? m_text.size() : lineEnd + crLf.size();
    }
    QString text = m_text.sliced(m_textPos, end - m_textPos);
    m_textPos = end;
    if (end == m_text.size())
        *this = Listing(); // all of it is taken
    return text;
}
