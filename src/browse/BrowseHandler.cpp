#include "browse/BrowseHandler.h"

#include "dictionary/LetterFile.h"
#include "shell/Module1.h"

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
    const QString letter = QString(QChar('A' + position)).toLower();
    m_view.setListing(QString());
    if (*BrowseIndex == 0)
        DictExt = LetterFile::EnglishToCzech;
    if (*BrowseIndex == 1)
        DictExt = LetterFile::CzechToEnglish;

    // A missing or unreadable file lists as empty: the window stays usable.
    const QString path = DataPath + letter + DictExt;
    const QByteArray bytes = LetterFile::readFile(path).value_or(QByteArray());

    QString listing;
    const LetterFile::Entries read = LetterFile::readEntries(bytes, DictExt);
    bool failed = read.incomplete;
    if (failed) {
        m_beep.beep();
    } else {
        for (const LetterFile::Entry& entry : read.entries)
            listing += entry.head.toUpper() + ListingSeparator + entry.translation +
                       QStringLiteral("\r\n");
    }

    m_view.setListing(QString());
    m_view.setMousePointer(MousePointer::Default);
    m_view.setListing(failed ? TooLongMessage : listing);
}
