// The browse window's listing box: a long listing shown before it is whole, and whole as soon
// as the user does anything with it.
#include "browse/ListingBox.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QWheelEvent>

namespace
{

QString listingOf(int entries, const char* translation)
{
    QString listing;
    for (int i = 0; i < entries; ++i)
        listing +=
            QStringLiteral("WORD%1 .......... %2\r\n").arg(i).arg(QLatin1String(translation));
    return listing;
}

// What the box shows for a listing: its lines, without an empty last one.
QString shown(QString listing)
{
    listing.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    listing.chop(1);
    return listing;
}

void waitUntilWhole(ListingBox& box)
{
    QTRY_VERIFY(!box.isFilling());
}

} // namespace

class TestListingBox : public QObject
{
    Q_OBJECT

  private slots:
    void longListingsFillWhileIdleAndTheNextOneReplacesThem()
    {
        ListingBox box(nullptr);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));

        box.setListing(Listing(listingOf(3, "krátký;")));
        QVERIFY(!box.isFilling());
        QCOMPARE(box.toPlainText(), shown(listingOf(3, "krátký;")));

        const QString first = listingOf(20000, "první;");
        box.setListing(Listing(first));
        QVERIFY(box.isFilling());
        QVERIFY(shown(first).startsWith(box.toPlainText()));
        waitUntilWhole(box);
        QCOMPARE(box.toPlainText(), shown(first));

        // A letter clicked while the listing before is still being built.
        box.setListing(Listing(first));
        const QString second = listingOf(20000, "druhý;");
        box.setListing(Listing(second));
        waitUntilWhole(box);
        QCOMPARE(box.toPlainText(), shown(second));
        box.setListing(Listing());
        QCOMPARE(box.toPlainText(), QString());
    }

    void theUsersFirstActionSeesTheWholeListing()
    {
        ListingBox box(nullptr);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QString listing = listingOf(20000, "slovo;");

        // Selecting everything, then typing over the end.
        box.setListing(Listing(listing));
        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(!box.isFilling());
        QCOMPARE(box.textCursor().selectedText().size(), shown(listing).size());
        QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(&box, "x");
        QCOMPARE(box.toPlainText(), shown(listing) + QLatin1Char('x'));

        // Scrolling with the wheel.
        box.setListing(Listing(listing));
        QWheelEvent wheel(QPointF(20, 20), box.viewport()->mapToGlobal(QPointF(20, 20)), {},
                          QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box.viewport(), &wheel);
        QVERIFY(!box.isFilling());
        QCOMPARE(box.document()->blockCount(), 20000);

        // Taking hold of the scroll bar.
        box.setListing(Listing(listing));
        QTest::mousePress(box.verticalScrollBar(), Qt::LeftButton, {}, QPoint(5, 30));
        QVERIFY(!box.isFilling());
        QTest::mouseRelease(box.verticalScrollBar(), Qt::LeftButton, {}, QPoint(5, 30));
    }
};

QTEST_MAIN(TestListingBox)
#include "test_listingbox.moc"
