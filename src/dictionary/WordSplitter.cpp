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
    QString current;
    for (QChar c : text) {
        if (isWordCharacter(c)) {
            current.append(c);
        } else if (!current.isEmpty()) {
            words.append(current);
            current.clear();
        }
    }
    if (!current.isEmpty())
        words.append(current);
    return words;
}

} // namespace WordSplitter
