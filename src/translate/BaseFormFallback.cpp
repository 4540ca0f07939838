#include "translate/BaseFormFallback.h"

#include "dictionary/LookupTable.h"
#include "translate/LetterTables.h"

QList<BaseFormMatch> findBaseForms(const QString& loweredWord, Language language,
                                   const BaseFormSource& baseForms, LetterTables& tables)
{
    QList<BaseFormMatch> matches;
    const QStringList bases = baseForms.baseFormsOf(
        loweredWord, language, [&](QStringView base) { return tables.of(base).contains(base); });
    for (const QString& base : bases)
        matches.append({base, tables.of(base).translationsOf(base)});
    return matches;
}
