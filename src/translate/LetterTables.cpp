#include "translate/LetterTables.h"

#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"

LetterTables::LetterTables(HeadIndex& heads, QString dataPath, QString dictExt)
    : m_heads(heads), m_dataPath(std::move(dataPath)), m_dictExt(std::move(dictExt))
{
}

const LetterFile::LookupTable& LetterTables::of(QStringView loweredWord)
{
    const QChar first = loweredWord.front();
    const auto table = [&] {
        return &m_heads.table(LetterFile::fileName(m_dataPath, loweredWord, m_dictExt));
    };
    // A letter outside the basic plane is named by two units: its file is found each time.
    if (first.isSurrogate())
        return *table();
    const auto known = m_byFirst.constFind(first.unicode());
    if (known != m_byFirst.cend())
        return **known;
    return **m_byFirst.insert(first.unicode(), table());
}
