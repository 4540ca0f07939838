#include "browse/OknoList.h"

#include "browse/ListingBox.h"
#include "state/Module1.h"
#include "ui/Look.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

using namespace Module1;

namespace
{

const QColor LightBlue(192, 192, 255);

void paintLightBlue(QWidget& control)
{
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, LightBlue);
    palette.setColor(QPalette::Text, Qt::black);
    control.setPalette(palette);
}

} // namespace

void ApplicationBeep::beep()
{
    QApplication::beep();
}

OknoList::OknoList(std::shared_ptr<SystemBeep> beep, QWidget* parent)
    : PictureDialog({"OknoList",
                     QStringLiteral("Listování ve slovníku"),
                     {9030, 8010},
                     Look::noIcon(),
                     Look::Picture::OknoListBackground},
                    parent),
      m_beep(std::move(beep))
{
    createControls();
    Form_Load();
}

OknoList::~OknoList() = default;

void OknoList::createControls()
{
    List1 = Look::place<QListWidget>(*this, "List1", Look::twips(240, 240, 1335, 5130));
    List1->setAccessibleName(QStringLiteral("Písmena"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    paintLightBlue(*List1);

    // Editable, as the user may correct what is shown; the listing is never saved.
    Text1 = Look::place<ListingBox>(*this, "Text1", Look::twips(2520, 240, 6135, 7455));
    Text1->setAccessibleName(QStringLiteral("Obsah slovníku pro zvolené písmeno"));
    Text1->setFont(Look::dictionaryFont(9.75, true));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setTabChangesFocus(true);

    // The typed text never becomes an item and is never completed from the items.
    Combo1 = Look::place<QComboBox>(*this, "Combo1", Look::twips(240, 5760, 2175, 315));
    // On Linux Qt names a combo box by its text; what the box is for is its description.
    Combo1->setAccessibleDescription(QStringLiteral("Směr slovníku"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr);
    paintLightBlue(*Combo1);

    Command1 = Look::place<PictureButton>(*this, "Command1", Look::twips(240, 7440, 855, 255),
                                          QStringLiteral("Zavřít"), Look::Picture::ButtonTexture);
    Command1->setFont(Look::dictionaryFont(8.25, true));

    setTabOrder(List1, Text1);
    setTabOrder(Text1, Combo1);
    setTabOrder(Combo1, Command1);
    List1->setFocus();

    // A letter is read whenever the selected letter changes, by mouse or keyboard, and again
    // when the user clicks the letter that is already selected (say, after a new direction).
    connect(List1, &QListWidget::itemSelectionChanged, this, &OknoList::List1_Click);
    List1->viewport()->installEventFilter(this);
    List1->installEventFilter(this);
    connect(List1, &QListWidget::clicked, this, [this](const QModelIndex& index) {
        if (index.row() == m_selectedAtPress)
            List1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &OknoList::Command1_Click);
}

void OknoList::Form_Load()
{
    for (char16_t code = 65; code <= 90; ++code)
        List1->addItem(QString(QChar(code)));
    // The first item lacks an "n" and so differs from the text shown after load: no item is
    // selected, and the English list is the default.
    Combo1->addItem(QStringLiteral("První aglická slova"));
    Combo1->addItem(QStringLiteral("První česká slova"));
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QStringLiteral("První anglická slova"));
    BrowseIndex = 0;
}

void OknoList::List1_Click()
{
    // Ctrl+click can clear the selection; that picks no letter.
    if (letterIndex() < 0)
        return;
    BrowseHandler handler(*this, *m_beep);
    handler.letterClicked();
}

void OknoList::Command1_Click()
{
    close();
}

bool OknoList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List1->viewport() && event->type() == QEvent::MouseButtonPress)
        m_selectedAtPress = letterIndex();
    if (watched == List1 && event->type() == QEvent::KeyPress &&
        List1_KeyPress(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool OknoList::List1_KeyPress(const QKeyEvent& key)
{
    QListWidgetItem* current = List1->currentItem();
    if (!current || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // As a click: the letter under the focus mark is picked, or read again when it is
        // already picked (say, after a new direction).
        if (current->isSelected())
            List1_Click();
        else
            current->setSelected(true);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
        // Until a letter is picked, the focus mark stands where the list put it on getting the
        // focus; the first arrow picks that letter (A in a fresh window), not its neighbour.
        if (!List1->selectedItems().isEmpty())
            return false;
        current->setSelected(true);
        return true;
    default:
        return false;
    }
}

int OknoList::letterIndex() const
{
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    return selected.isEmpty() ? -1 : List1->row(selected.first());
}

int OknoList::directionIndex() const
{
    // Text typed over a chosen item stands for no item, as in the combo boxes of Windows.
    const int index = Combo1->currentIndex();
    if (index >= 0 && Combo1->currentText() != Combo1->itemText(index))
        return -1;
    return index;
}

void OknoList::setListing(Listing listing)
{
    Text1->setListing(std::move(listing));
}

void OknoList::setMousePointer(MousePointer pointer)
{
    Look::setMousePointer(*this, pointer);
}
