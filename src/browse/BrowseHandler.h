#pragma once

#include "state/MousePointer.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

// What the letter click does to the browse window: it reads which letter and which
// direction are selected, fills the listing box and shows the busy pointer.
class BrowseView
{
  public:
    virtual ~BrowseView() = default;

    virtual int letterIndex() const = 0;    // List1: 0 for "A" .. 25 for "Z", -1 for none
    virtual int directionIndex() const = 0; // Combo1: 0 English list, 1 Czech list, -1 none
    virtual void setListing(const QString& text) = 0; // Text1, lines ending in CR LF
    virtual void setMousePointer(MousePointer pointer) = 0;
};

class SystemBeep
{
  public:
    virtual ~SystemBeep() = default;
    virtual void beep() = 0;
};

// The letter click of the browse window: lists the whole letter file of the chosen letter
// and direction, one line per entry, and sets DictExt and BrowseIndex to the direction read.
class BrowseHandler
{
  public:
    BrowseHandler(BrowseView& view, SystemBeep& beep);

    void letterClicked();

    // The listing of a letter file's bytes, built in one pass: one line per entry up to the
    // terminator, each ending in CR LF. std::nullopt when the file ends after a head line
    // without its translation line.
    static std::optional<QString> listingOf(QByteArrayView bytes, const QString& dictExt);

    static inline const QString ListingSeparator = QStringLiteral(" .......... ");
    static inline const QString TooLongMessage =
        QStringLiteral("Bohužel, soubor s tímto písmenem ma více než 64 Kb,nelze jej proto "
                       "zobrazit. Prosím použijte pro "
                       "prohlížení tohoto písmena WordPad nebo jiný textový editor.");

  private:
    BrowseView& m_view;
    SystemBeep& m_beep;
};
