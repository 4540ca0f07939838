#include "translate/BaseFormFallback.h"

QStringList PressHeadWords::translationsOf(const QString& path, const QString& loweredWord)
{
    auto it = m_tables.find(path);
    if (it == m_tables.end()) {
        // A missing or unreadable file is a file without entries.
        const QByteArray bytes = LetterFile::readFile(path).value_or(QByteArray());
        it = m_tables.insert(path, LetterFile::LookupTable::fromBytes(bytes));
    }
    return it->translationsOf(loweredWord);
}

QList<BaseFormMatch> findBaseForms(const QString& loweredWord, const QString& dataPath,
                                   const QString& dictExt, const BaseFormSource& baseForms,
                                   HeadWordSource& headWords)
{
    const Language language = languageOf(dictExt);
    QList<BaseFormMatch> matches;
    const auto translationsOf = [&](const QString& base) {
        return headWords.translationsOf(LetterFile::fileName(dataPath, base, dictExt), base);
    };
    const QStringList bases =
        baseForms.baseFormsOf(loweredWord, language,
                              [&](const QString& base) { return !translationsOf(base).isEmpty(); });
    for (const QString& base : bases)
        matches.append({base, translationsOf(base)});
    return matches;
}
