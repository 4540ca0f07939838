#include "dictionary/WordSplitter.h"

#include "dictionary/Cp1250.h"

namespace WordSplitter
{

namespace
{

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

bool endsSentence(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// The run of ASCII letters that starts at `from`.
QStringView lettersFrom(QStringView text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && isAsciiLetter(text[end]))
        ++end;
    return text.sliced(from, end - from);
}

// How many characters after the word `word` (which ends where `text` continues at `at`, on an
// apostrophe) belong to a contraction ending: the apostrophe and its letters; 0 for none.
qsizetype contractionEnding(QStringView word, QStringView text, qsizetype at)
{
    const QStringView after = lettersFrom(text, at + 1);
    if (after.isEmpty() || word.isEmpty() || !isAsciiLetter(word.back()))
        return 0;
    const QString ending = after.toString().toLower();
    static const QStringList endings = {QStringLiteral("s"),  QStringLiteral("re"),
                                        QStringLiteral("ve"), QStringLiteral("ll"),
                                        QStringLiteral("d"),  QStringLiteral("m")};
    const bool notEnding = ending == QLatin1String("t") && word.back().toLower() == 'n';
    const bool oClock =
        ending == QLatin1String("clock") && word.compare(u"o", Qt::CaseInsensitive) == 0;
    return notEnding || oClock || endings.contains(ending) ? after.size() + 1 : 0;
}

} // namespace

bool isWordCharacter(QChar c)
{
    const char16_t code = c.unicode();
    if (code >= 65 && code <= 122)
        return true;
    if (code < 128 || c.decompositionTag() != QChar::Canonical || !Cp1250::canEncode(c))
        return false;
    return isAsciiLetter(c.decomposition().at(0));
}

QStringList split(QStringView text)
{
    QStringList words;
    for (Token& token : tokens(text, false))
        words.append(std::move(token.text));
    return words;
}

QList<Token> tokens(QStringView text, bool keepContractions)
{
    QList<Token> out;
    QString current;
    bool sentenceStart = true;
    const auto endWord = [&] {
        if (current.isEmpty())
            return;
        out.append({current, sentenceStart});
        current.clear();
        sentenceStart = false;
    };
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (isWordCharacter(c)) {
            current.append(c);
            continue;
        }
        if (keepContractions && isApostrophe(c)) {
            const qsizetype ending = contractionEnding(current, text, k);
            const bool tis = current.isEmpty() &&
                             lettersFrom(text, k + 1).compare(u"tis", Qt::CaseInsensitive) == 0 &&
                             (k + 4 >= text.size() || !isWordCharacter(text[k + 4]));
            if (ending > 0 || tis) {
                const qsizetype length = tis ? 4 : ending;
                current += QLatin1Char('\'') + text.sliced(k + 1, length - 1).toString();
                k += length - 1;
                continue;
            }
        }
        endWord();
        if (endsSentence(c))
            sentenceStart = true;
    }
    endWord();
    return out;
}

} // namespace WordSplitter
