#pragma once

#include "browse/Listing.h"
#include "state/MousePointer.h"

#include <QString>

// What the letter click does to the browse window: it reads which letter and which
// direction are selected, fills the listing box and shows the busy pointer.
class BrowseView
{
  public:
    virtual ~BrowseView() = default;

    virtual int letterIndex() const = 0;          // List1: 0 for "A" .. 25 for "Z", -1 for none
    virtual int directionIndex() const = 0;       // Combo1: 0 English list, 1 Czech list, -1 none
    virtual void setListing(Listing listing) = 0; // Text1
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

    static inline const QString TooLongMessage =
        QStringLiteral("Bohužel, soubor s tímto písmenem ma více než 64 Kb,nelze jej proto "
                       "zobrazit. Prosím použijte pro "
                       "prohlížení tohoto písmena WordPad nebo jiný textový editor.");

  private:
    BrowseView& m_view;
    SystemBeep& m_beep;
};
