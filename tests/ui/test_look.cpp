// The faces of the graphical buttons, drawn offscreen.
#include "ui/Look.h"

#include <QDialog>
#include <QLineEdit>
#include <QtTest>

class TestLook : public QObject
{
    Q_OBJECT

    static double brightness(const QImage& image)
    {
        double sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                sum += qGray(image.pixel(x, y));
        }
        return sum / (image.width() * image.height());
    }

  private slots:
    // Every button shows that it has the focus, the small ones too, and every pixel of the
    // caption's ink stays as it was. The chosen option is far darker than the other one.
    void theFocusAndTheChosenOptionShowOnEveryFace()
    {
        QDialog window;
        window.setFont(Look::windowFont());
        auto* text = new QLineEdit(&window);
        const auto add = [&](const char* caption, QRect twips, qreal points) {
            auto* button = new PictureButton(caption, Look::Picture::ButtonTexture, &window);
            button->setGeometry(twips);
            if (points > 0) // the options have the window's font
                button->setFont(Look::dictionaryFont(points, true));
            return button;
        };
        PictureButton* small = add("Konec", Look::twips(1920, 3000, 855, 255), 8.25);
        PictureButton* large =
            add("Listování ve slovníku", Look::twips(1440, 1680, 1815, 615), 9.75);
        PictureButton* female = add("Ženský hlas", Look::twips(2400, 1680, 1455, 255), 0);
        PictureButton* male = add("Mužský hlas", Look::twips(2400, 1920, 1455, 255), 0);
        for (auto* option : {female, male}) {
            option->setCheckable(true);
            option->setAutoExclusive(true);
        }
        female->setChecked(true);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        for (auto* button : {small, large, female, male}) {
            text->setFocus();
            const QImage plain = button->grab().toImage();
            button->setFocus();
            const QImage focused = button->grab().toImage();
            const QRect face = button->rect().adjusted(3, 3, -3, -3);
            QVERIFY2(plain.copy(face) != focused.copy(face), qPrintable(button->text()));
            const QRgb ink = button->isChecked() ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            for (int y = face.top(); y <= face.bottom(); ++y) {
                for (int x = face.left(); x <= face.right(); ++x) {
                    if (plain.pixel(x, y) == ink)
                        QVERIFY2(focused.pixel(x, y) == ink, qPrintable(button->text()));
                }
            }
        }
        text->setFocus();
        const double chosen = brightness(female->grab().toImage());
        const double other = brightness(male->grab().toImage());
        QVERIFY2(chosen < other * 0.85, qPrintable(QString("%1 vs %2").arg(chosen).arg(other)));
    }
};

QTEST_MAIN(TestLook)
#include "test_look.moc"
