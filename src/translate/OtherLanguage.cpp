#include "translate/OtherLanguage.h"

#include "dictionary/LetterFile.h"

namespace
{

constexpr qsizetype MinimumEvidence = 2;

bool hasCzechOnlyLetter(const QString& word)
{
    static const QString letters = QStringLiteral("ěščřžůďťň");
    return std::any_of(word.cbegin(), word.cend(), [](QChar c) { return letters.contains(c); });
}

} // namespace

bool inOtherLanguage(const QList<TypedWord>& words, const QList<WordLookup>& lookups,
                     const LookupChain& otherDirection, const QString& dictExt)
{
    const bool englishWindow = dictExt == LetterFile::EnglishToCzech;
    qsizetype evidence = 0;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const TypedWord& typed = words[i];
        if (englishWindow && !typed.capitalised && hasCzechOnlyLetter(typed.word))
            return true;
        const LookupKind kind = lookups[i].kind;
        const bool missingHere =
            kind == LookupKind::NotFound || kind == LookupKind::Guess || kind == LookupKind::Name;
        if (missingHere && otherDirection.knows(typed.word))
            ++evidence;
    }
    // One such word alone may be a word both languages write alike.
    return evidence >= MinimumEvidence && 2 * evidence >= words.size();
}

QString otherLanguageLine(const QString& dictExt)
{
    if (dictExt == LetterFile::EnglishToCzech)
        return QStringLiteral("Text je nejspíš česky: přeložte ho v okně „Překlad česko-anglický“. "
                              "Jeho slova se do slovníku neukládají.");
    return QStringLiteral("Text je nejspíš anglicky: přeložte ho v okně „Překlad anglicko-český“. "
                          "Jeho slova se do slovníku neukládají.");
}
