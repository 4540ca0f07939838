#pragma once

#include <QHash>
#include <QString>

class HeadIndex;
namespace LetterFile
{
class LookupTable;
}

// The lookup tables of one direction's letter files during one pass, found by a word's first
// letter: a pass asks for thousands of words and candidates, and the path of a letter file
// and the head index's check of it are made once a letter, not once a word. Valid until the
// pass ends (a learnt word or the next pass's check may replace a table).
class LetterTables
{
  public:
    LetterTables(HeadIndex& heads, QString dataPath, QString dictExt);

    // The table of the letter file of `loweredWord`, which is not empty.
    const LetterFile::LookupTable& of(QStringView loweredWord);

  private:
    HeadIndex& m_heads;
    QString m_dataPath;
    QString m_dictExt;
    QHash<char16_t, const LetterFile::LookupTable*> m_byFirst;
};
