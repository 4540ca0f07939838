// The word splitter: words are the runs of word characters, in order, and each names a
// letter file inside the data directory.
#include "FuzzSupport.h"
#include "dictionary/LetterFile.h"
#include "dictionary/WordSplitter.h"

namespace
{

void splitsIntoRuns(const QString& text)
{
    const QStringList words = WordSplitter::split(text);
    QString wordCharacters;
    for (QChar c : text) {
        if (WordSplitter::isWordCharacter(c))
            wordCharacters += c;
    }
    check(words.join(QString()) == wordCharacters, "every word character is in a word, in order");
    qsizetype from = 0;
    for (const QString& word : words) {
        check(!word.isEmpty(), "no empty word");
        const qsizetype at = text.indexOf(word, from);
        check(at >= 0, "a word is a run of the text");
        check(at == 0 || !WordSplitter::isWordCharacter(text[at - 1]), "a word starts a run");
        from = at + word.size();
        check(from == text.size() || !WordSplitter::isWordCharacter(text[from]),
              "a word ends a run");

        const QString letter = LetterFile::fileLetter(word.toLower());
        check(letter.size() == 1 && letter != QLatin1String("/") && letter != QLatin1String("."),
              "a word names one file inside the data directory");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    splitsIntoRuns(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    splitsIntoRuns(QString(reinterpret_cast<const QChar*>(data), qsizetype(size / 2)));
    return 0;
}
