#include "translate/BaseFormFallback.h"

#include "dictionary/HeadIndex.h"

QList<BaseFormMatch> findBaseForms(const QString& loweredWord, const QString& dataPath,
                                   const QString& dictExt, const BaseFormSource& baseForms,
                                   HeadIndex& heads)
{
    const Language language = languageOf(dictExt);
    QList<BaseFormMatch> matches;
    const auto translationsOf = [&](const QString& base) {
        return heads.translationsOf(LetterFile::fileName(dataPath, base, dictExt), base);
    };
    const QStringList bases =
        baseForms.baseFormsOf(loweredWord, language,
                              [&](const QString& base) { return !translationsOf(base).isEmpty(); });
    for (const QString& base : bases)
        matches.append({base, translationsOf(base)});
    return matches;
}
