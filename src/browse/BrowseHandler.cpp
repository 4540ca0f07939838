#include "browse/BrowseHandler.h"

#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "state/Module1.h"

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
    m_view.setListing(Listing());
    if (*BrowseIndex == 0)
        DictExt = LetterFile::EnglishToCzech;
    if (*BrowseIndex == 1)
        DictExt = LetterFile::CzechToEnglish;

    // A missing or unreadable file lists as empty: the window stays usable.
    const QString path = LetterFile::fileName(DataPath, QStringView(&letter, 1), DictExt);
    const QByteArray bytes = LetterFile::readFile(path).value_or(QByteArray());

    std::optional<Listing> listing = Listing::of(bytes, DictExt);
    if (!listing)
        m_beep.beep();

    m_view.setListing(Listing());
    m_view.setMousePointer(MousePointer::Default);
    m_view.setListing(listing ? std::move(*listing) : Listing(TooLongMessage));
}
