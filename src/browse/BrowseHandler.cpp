#include "browse/BrowseHandler.h"

#include "dictionary/ByteCase.h"
#include "dictionary/Cp1250.h"
#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "state/Module1.h"

#include <QList>
#include <algorithm>
#include <utility>

using namespace Module1;

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
    const QChar letter('A' + position);
    m_view.setListing(QString());
    if (*BrowseIndex == 0)
        DictExt = LetterFile::EnglishToCzech;
    if (*BrowseIndex == 1)
        DictExt = LetterFile::CzechToEnglish;

    // A missing or unreadable file lists as empty: the window stays usable.
    const QString path = LetterFile::fileName(DataPath, QStringView(&letter, 1), DictExt);
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
    // One walk over the lines: every pair goes into the listing as it is read, and where the
    // listing stood at each head line that may turn out to be the terminator is noted; once the
    // walk has seen the whole file, the listing is cut at the terminator the rule picks.
    LetterFile::EndFinder ends(dictExt);
    QList<std::pair<qsizetype, qsizetype>> cuts; // (head line, listing size before it)

    QString listing;
    qsizetype used = 0;
    const auto makeRoom = [&](qsizetype wanted) {
        if (listing.size() - used >= wanted)
            return;
        listing.resize(std::max(listing.size() * 2, used + wanted));
        LetterFile::prefault(listing.data() + used, (listing.size() - used) * 2);
    };
    // Most pairs are well over 24 bytes, and each gains the separator and CR LF.
    makeRoom(bytes.size() + bytes.size() / 2 + 64);

    LetterFile::LineReader lines(bytes);
    QByteArrayView head;
    QByteArrayView translation;
    while (lines.next(head)) {
        if (ends.add(head))
            cuts.append({ends.lineCount() - 1, used});
        if (!lines.next(translation))
            break;
        ends.add(translation);
        makeRoom(LetterFile::raisedLengthBound(head.size()) + ListingSeparator.size() +
                 translation.size() + 2);
        QChar* const begin = listing.data();
        QChar* out = LetterFile::writeRaised(head, begin + used);
        out = std::copy(ListingSeparator.cbegin(), ListingSeparator.cend(), out);
        out = Cp1250::decodeInto(translation, out);
        *out++ = QLatin1Char('\r');
        *out++ = QLatin1Char('\n');
        used = out - begin;
    }

    const qsizetype end = ends.terminatorLine();
    if (end % 2 != 0)
        return std::nullopt; // the file ends after a head line without its translation line
    for (const auto& [line, size] : cuts) {
        if (line == end)
            used = size;
    }
    listing.truncate(used);
    return listing;
}
