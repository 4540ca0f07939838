#include "browse/BrowseHandler.h"

#include "dictionary/Cp1250.h"
#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "state/Module1.h"

#include <array>

using namespace Module1;

namespace
{

// What each byte of a letter file raises to, from the decoder and QString::toUpper, which
// raises every character on its own ("ß" becomes "SS").
struct RaisedBytes {
    std::array<QString, 256> text;

    RaisedBytes()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = static_cast<char>(byte);
            text[byte] = Cp1250::decode(QByteArrayView(&raw, 1)).toUpper();
        }
    }
};

void appendRaised(QString& listing, QByteArrayView line)
{
    static const RaisedBytes raised;
    for (const char c : line) {
        const QString& text = raised.text[static_cast<unsigned char>(c)];
        if (text.size() == 1)
            listing += text.front();
        else
            listing += text;
    }
}

} // namespace

BrowseHandler::BrowseHandler(BrowseView& view, SystemBeep& beep) : m_view(view), m_beep(beep) {}

void BrowseHandler::letterClicked()
{
    m_view.setMousePointer(MousePointer::Hourglass);
    const int position = m_view.letterIndex();
    BrowseIndex = static_cast<qint16>(m_view.directionIndex());
    if (*BrowseIndex == -1)
        BrowseIndex = 0;
    if (position < 0 || position > 25) {
        m_view.setMousePointer(MousePointer::Default);
        return;
    }
    const QString letter = QString(QChar('A' + position)).toLower();
    m_view.setListing(QString());
    if (*BrowseIndex == 0)
        DictExt = LetterFile::EnglishToCzech;
    if (*BrowseIndex == 1)
        DictExt = LetterFile::CzechToEnglish;

    // A missing or unreadable file lists as empty: the window stays usable.
    const QString path = DataPath + letter + DictExt;
    const QByteArray bytes = LetterFile::readFile(path).value_or(QByteArray());

    const std::optional<QString> listing = listingOf(bytes, DictExt);
    if (!listing)
        m_beep.beep();

    m_view.setListing(QString());
    m_view.setMousePointer(MousePointer::Default);
    m_view.setListing(listing ? *listing : TooLongMessage);
}

std::optional<QString> BrowseHandler::listingOf(QByteArrayView bytes, const QString& dictExt)
{
    // Where the entries end, from one walk over the lines that keeps none of them.
    qsizetype lineCount = 0;
    qsizetype lastNotEnd = -1;
    QList<LetterFile::EndLine> endHeads;
    LetterFile::LineReader lines(bytes);
    for (QByteArrayView line; lines.next(line); ++lineCount) {
        if (!LetterFile::readsEnd(line))
            lastNotEnd = lineCount;
        else if (lineCount % 2 == 0)
            endHeads.append({lineCount, LetterFile::isDefiniteTerminator(line, dictExt)});
    }
    const qsizetype end = LetterFile::terminatorLine(lineCount, lastNotEnd, endHeads);
    if (end % 2 != 0)
        return std::nullopt; // the file ends after a head line without its translation line

    QString listing;
    // Every byte is one character or more; each line gains the separator and CR LF.
    listing.reserve(bytes.size() + bytes.size() / 4);
    LetterFile::LineReader pairs(bytes);
    QByteArrayView head;
    QByteArrayView translation;
    for (qsizetype i = 0; i < end; i += 2) {
        pairs.next(head);
        pairs.next(translation);
        appendRaised(listing, head);
        listing += ListingSeparator;
        listing += Cp1250::decode(translation);
        listing += QLatin1String("\r\n");
    }
    return listing;
}
