// Prints how long one press of the translate button takes for a 1024-word text against
// letter files of 10,000 entries each. Not a test: run it by hand and read the figures.
#include "dictionary/FileWriter.h"
#include "dictionary/LetterFile.h"
#include "shell/Module1.h"
#include "speech/SpeechControl.h"
#include "translate/TranslateHandler.h"
#include "translate/TranslationView.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace
{

class QuietView final : public TranslationView
{
  public:
    QString inputText() const override { return input; }
    void setInputText(const QString& text) override { input = text; }
    void setOutputText(const QString& text) override { output = text; }
    void setMousePointer(MousePointer) override {}
    QString input, output;
};

class NoAnswers final : public TranslationQuestion
{
  public:
    QString ask(const QString&, const QString&) override { return {}; }
};

QString randomWord(QRandomGenerator& random, QChar first)
{
    QString word(first);
    const int length = random.bounded(2, 10);
    for (int i = 0; i < length; ++i)
        word += QChar('a' + random.bounded(26));
    return word;
}

} // namespace

int main()
{
    constexpr int EntriesPerFile = 10000;
    QTemporaryDir dir;
    QRandomGenerator random(42);
    QStringList known;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        QStringList lines;
        for (int i = 0; i < EntriesPerFile; ++i) {
            const QString word = randomWord(random, QChar(letter));
            if (i % 100 == 0)
                known.append(word);
            lines << word.toUpper() << word + QStringLiteral(" překlad;");
        }
        lines << QStringLiteral("End");
        QFile file(dir.filePath(QString(letter) + QStringLiteral(".dta")));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(LetterFile::joinLines(lines));
    }

    QStringList text;
    for (int i = 0; i < Module1::MaxWords; ++i)
        text.append(i % 4 == 0 ? randomWord(random, QChar('a' + random.bounded(26)))
                               : known[random.bounded(known.size())]);

    Module1::DataPath = dir.path() + QLatin1Char('/');
    Module1::DictExt = QStringLiteral(".dta");
    QuietView view;
    SilentSpeech speech;
    NoAnswers answers;
    SafeFileWriter writer;
    TranslateHandler handler(view, speech, answers, writer);

    for (int run = 1; run <= 5; ++run) {
        view.input = text.join(QLatin1Char(' '));
        QElapsedTimer timer;
        timer.start();
        handler.run();
        std::printf("run %d: %d words against 26 files of %d entries: %.1f ms\n", run,
                    Module1::MaxWords, EntriesPerFile, timer.nsecsElapsed() / 1e6);
    }
    return 0;
}
