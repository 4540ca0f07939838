#include "translate/BaseFormFallback.h"

#include "dictionary/HeadIndex.h"
#include "dictionary/LookupTable.h"

QList<BaseFormMatch> findBaseForms(const QString& loweredWord, const QString& dataPath,
                                   const QString& dictExt, const BaseFormSource& baseForms,
                                   HeadIndex& heads)
{
    const Language language = languageOf(dictExt);
    QList<BaseFormMatch> matches;
    // Most candidates of a word start as the word does, in the same letter file: its table is
    // looked up again only for a candidate that starts otherwise.
    const LetterFile::LookupTable* table = nullptr;
    QChar tableFirst;
    const auto tableOf = [&](const QString& base) -> const LetterFile::LookupTable& {
        const QChar first = base.front();
        if (!table || first != tableFirst || first.isSurrogate()) {
            table = &heads.table(LetterFile::fileName(dataPath, base, dictExt));
            tableFirst = first;
        }
        return *table;
    };
    const QStringList bases = baseForms.baseFormsOf(
        loweredWord, language, [&](const QString& base) { return tableOf(base).contains(base); });
    for (const QString& base : bases)
        matches.append({base, tableOf(base).translationsOf(base)});
    return matches;
}
