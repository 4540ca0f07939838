#include "shell/GuiTestSupport.h"
#include "shell/Module1.h"
#include "translate/OknoPreklad.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

QStringList lines(QWidget& window)
{
    return control<QPlainTextEdit>(window, "Text2")->toPlainText().split(QLatin1Char('\n'));
}

// What a test saw of one learning question.
struct Question {
    QString title, prompt;
    bool asked = false, wraps = false, answerStartedEmpty = false, pointerIsDefault = false;
    QStringList buttons;
};

// Answers the next learning question with `answer` (Enter), or with Cancel when empty.
void answerNext(QWidget& okno, Question& seen, const QString& answer,
                const std::function<void()>& afterwards = {})
{
    whenModalOpens(&okno, [&okno, &seen, answer, afterwards](QWidget* dialog) {
        seen.asked = true;
        seen.title = dialog->windowTitle();
        auto* prompt = control<QLabel>(*dialog, "Prompt");
        seen.prompt = prompt->text();
        seen.wraps = prompt->wordWrap() && dialog->width() < 600;
        auto* edit = control<QLineEdit>(*dialog, "Answer");
        seen.answerStartedEmpty = edit->text().isEmpty();
        seen.pointerIsDefault = okno.cursor().shape() == Qt::ArrowCursor;
        const auto buttons = dialog->findChild<QDialogButtonBox*>()->buttons();
        for (QAbstractButton* button : buttons)
            seen.buttons << button->text();
        if (afterwards)
            afterwards();
        if (answer.isEmpty()) {
            const qsizetype cancel = seen.buttons.indexOf(QStringLiteral("Storno"));
            if (cancel >= 0)
                QTest::mouseClick(buttons[cancel], Qt::LeftButton);
            else
                dialog->close();
        } else {
            typeText(edit, answer);
            QTest::keyClick(edit, Qt::Key_Return);
        }
    });
}

void translate(QWidget& okno, const QString& text)
{
    typeText(control(okno, "Text1"), text);
    QTest::mouseClick(control(okno, "Command1"), Qt::LeftButton);
}

} // namespace

class TestOknoPreklad : public QObject
{
    Q_OBJECT

  private slots:
    void init()
    {
        m_data = std::make_unique<QTemporaryDir>();
        const QString path = m_data->path() + QLatin1Char('/');
        const QList<std::pair<const char*, QStringList>> files = {
            {"a.dta", {"A", "neurčitý člen;", "End"}}, {"b.dta", {"BOOK", "kniha;", "End"}},
            {"h.dta", {"HOUSE", "dům;", "End"}},       {"s.dta", {"SUN", "slunce;", "End"}},
            {"c.cze", {"ČAJ", "tea", "end", "end"}},   {"k.cze", {"KNIHA", "book", "end", "end"}},
        };
        for (const auto& [name, lines] : files)
            QVERIFY(writeLetterFile(path + QLatin1String(name), lines));
        Module1::resetAll();
        Module1::DataPath = path;
        Module1::DictExt = QStringLiteral(".dta");
        m_log = std::make_shared<SpeechLog>();
    }

    void windowBehavesAsDesigned()
    {
        OknoPreklad okno(recordingServices(m_log));
        QCOMPARE(okno.windowTitle(), QStringLiteral("Překlad anglicko-český"));
        QCOMPARE(okno.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(control(okno, "Image1")->focusPolicy(), Qt::NoFocus);

        okno.show();
        okno.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&okno));
        QCOMPARE(QApplication::focusWidget(), control(okno, "Text1"));
        for (const char* next : {"Text2", "Command1", "Text1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }

        // No default button: Enter in Text1 translates nothing; no cancel button: Escape stays.
        typeText(control(okno, "Text1"), QStringLiteral("house"));
        QTest::keyClick(control(okno, "Text1"), Qt::Key_Return);
        QTest::keyClick(control(okno, "Text1"), Qt::Key_Escape);
        QVERIFY(okno.isVisible());
        QVERIFY(m_log->calls.isEmpty());
        QVERIFY(control<QPlainTextEdit>(okno, "Text2")->toPlainText().isEmpty());

        // Any other direction leaves the caption as created.
        for (const QString& other : {QString(), QStringLiteral(".DTA")}) {
            Module1::DictExt = other;
            QCOMPARE(OknoPreklad(recordingServices(m_log)).windowTitle(),
                     QStringLiteral("Překlad"));
        }
    }

    void workedExampleIsTranslatedAndBigLearned()
    {
        OknoPreklad okno(recordingServices(m_log));
        okno.show();
        QList<Qt::CursorShape> pointersWhileSpeaking;
        m_log->onCall = [&] { pointersWhileSpeaking << okno.cursor().shape(); };
        QStringList linesWhileAsking;

        Question seen;
        answerNext(okno, seen, QStringLiteral("velký"), [&] { linesWhileAsking = lines(okno); });
        translate(okno, QStringLiteral("A big House."));

        QVERIFY(seen.asked);
        QCOMPARE(seen.title, QStringLiteral("Nové neznámé slovo..."));
        QVERIFY(seen.prompt.startsWith(QStringLiteral("Slovo  BIG  nebylo nalezeno.")));
        QVERIFY(seen.prompt.contains(QStringLiteral("středníky!")));
        QVERIFY(seen.wraps);
        QVERIFY(seen.answerStartedEmpty);
        QVERIFY(seen.pointerIsDefault);
        QCOMPARE(seen.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Storno")}));
        // The report line appears only after the last answer.
        QCOMPARE(linesWhileAsking.size(), 3);

        QCOMPARE(lines(okno),
                 (QStringList{QStringLiteral("a ........... neurčitý člen;"),
                              QStringLiteral("big ........... Nenalezeno."),
                              QStringLiteral("house ........... dům;"),
                              QStringLiteral("big ...přidáno do slovníku jako:  velký")}));
        QVERIFY(control<QLineEdit>(okno, "Text1")->text().isEmpty());
        QCOMPARE(okno.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(m_log->calls,
                 (QStringList{QStringLiteral("speed 170"), QStringLiteral("speak a"),
                              QStringLiteral("speak big"), QStringLiteral("speak house")}));
        QCOMPARE(pointersWhileSpeaking, QList<Qt::CursorShape>(4, Qt::WaitCursor));

        QCOMPARE(readAll(Module1::DataPath + QStringLiteral("b.dta")),
                 QByteArray("BOOK\r\nkniha;\r\nBIG\r\nvelk\xfd;\r\nEnd\r\n"));

        // Translated again, big is found and nothing is asked.
        Question again;
        answerNext(okno, again, QStringLiteral("nic"));
        translate(okno, QStringLiteral("big House"));
        QVERIFY(!again.asked);
        QCOMPARE(lines(okno), (QStringList{QStringLiteral("big ........... velký;"),
                                           QStringLiteral("house ........... dům;")}));
    }

    void cancelledQuestionStoresNothing()
    {
        Module1::DictExt = QStringLiteral(".cze");
        OknoPreklad okno(recordingServices(m_log));
        okno.show();
        const QString kFile = Module1::DataPath + QStringLiteral("k.cze");
        const QByteArray kBefore = readAll(kFile);

        Question seen;
        answerNext(okno, seen, QString());
        translate(okno, QStringLiteral("Čaj kolo"));

        QVERIFY(seen.asked);
        QVERIFY(seen.prompt.startsWith(QStringLiteral("Slovo  KOLO  nebylo nalezeno.")));
        QVERIFY(!seen.prompt.contains(QStringLiteral("středníky")));
        QCOMPARE(readAll(kFile), kBefore);
        QCOMPARE(lines(okno), (QStringList{QStringLiteral("čaj ........... tea"),
                                           QStringLiteral("kolo ........... Nenalezeno.")}));
        QCOMPARE(m_log->calls,
                 (QStringList{QStringLiteral("speed 170"), QStringLiteral("speak tea"),
                              QStringLiteral("speak Nenalezeno.")}));
    }

    // An answer the letter file cannot hold is asked for again, the reason first.
    void unstorableAnswerIsAskedAgain()
    {
        OknoPreklad okno(recordingServices(m_log));
        okno.show();
        Question first, second;
        answerNext(okno, first, QStringLiteral("nebe ☁"),
                   [&] { answerNext(okno, second, QStringLiteral("nebe")); });
        translate(okno, QStringLiteral("sky"));

        QVERIFY(first.asked && second.asked);
        const QStringList parts = second.prompt.split(QStringLiteral("\n\n"));
        QCOMPARE(parts.size(), 2);
        QVERIFY(parts[0].contains(QStringLiteral("☁")));
        QCOMPARE(parts[1], first.prompt);
        QCOMPARE(readAll(Module1::DataPath + QStringLiteral("s.dta")),
                 QByteArray("SUN\r\nslunce;\r\nSKY\r\nnebe;\r\nEnd\r\n"));
        QCOMPARE(lines(okno).last(), QStringLiteral("sky ...přidáno do slovníku jako:  nebe"));
    }

  private:
    std::unique_ptr<QTemporaryDir> m_data;
    std::shared_ptr<SpeechLog> m_log;
};

QTEST_MAIN(TestOknoPreklad)
#include "test_oknopreklad.moc"
