// The graphical buttons of every window, drawn offscreen and pressed from the keyboard.
#include "shell/GuiTestSupport.h"
#include "shell/Look.h"

#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

namespace
{

double brightness(const QImage& image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y));
    }
    return sum / (image.width() * image.height());
}

} // namespace

class TestLook : public QObject
{
    Q_OBJECT

    QDialog window;
    QLineEdit* text = new QLineEdit(&window);
    PictureButton* small = new PictureButton("Konec", Look::Picture::ButtonTexture, &window);
    PictureButton* large =
        new PictureButton("Listování ve slovníku", Look::Picture::ButtonTexture, &window);
    PictureButton* female = new PictureButton("Ženský hlas", Look::Picture::ButtonTexture, &window);
    PictureButton* male = new PictureButton("Mužský hlas", Look::Picture::ButtonTexture, &window);
    QStringList pressed;

  private slots:
    void initTestCase()
    {
        small->setGeometry(Look::twips(1920, 3000, 855, 255));
        small->setFont(Look::dictionaryFont(8.25, true));
        large->setGeometry(Look::twips(1440, 1680, 1815, 615));
        large->setFont(Look::dictionaryFont(9.75, true));
        female->setGeometry(Look::twips(2400, 1680, 1455, 255));
        male->setGeometry(Look::twips(2400, 1920, 1455, 255));
        for (auto* option : {female, male}) {
            option->setCheckable(true);
            option->setAutoExclusive(true);
        }
        female->setChecked(true);
        for (auto* button : window.findChildren<PictureButton*>())
            connect(button, &QPushButton::clicked, this,
                    [this, button] { pressed << button->text(); });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    // Enter and Space press the focused button; Enter in a text box presses none, as no
    // button is a default button.
    void enterAndSpacePressTheFocusedButton()
    {
        for (auto* button : {small, large, male}) {
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
            QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
            QTest::keyClick(button, Qt::Key_Space);
        }
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(pressed, (QStringList{"Konec", "Konec", "Konec", "Listování ve slovníku",
                                       "Listování ve slovníku", "Listování ve slovníku",
                                       "Mužský hlas", "Mužský hlas", "Mužský hlas"}));
        QVERIFY(male->isChecked() && !female->isChecked());
        male->setChecked(false);
        female->setChecked(true);
    }

    // Every button shows that it has the focus, the small ones too, and the caption stays as
    // it is. The chosen option is far darker than the other one.
    void theFocusAndTheChosenOptionShowOnEveryFace()
    {
        for (auto* button : {small, large, female, male}) {
            text->setFocus();
            const QImage plain = button->grab().toImage();
            button->setFocus();
            const QImage focused = button->grab().toImage();
            // A mark on the face itself, and every pixel of the caption's ink as it was.
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
