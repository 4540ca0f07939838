#pragma once

#include "dictionary/LetterFile.h"
#include "language/BaseFormSource.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Where the base-form fallback asks whether a candidate is a head word: the lowered
// translations, in file order, of the entries of the letter file at `path` whose lowered head
// line is `loweredWord` (up to the lookup's terminator, as the lookup reads it).
class HeadWordSource
{
  public:
    virtual ~HeadWordSource() = default;
    virtual QStringList translationsOf(const QString& path, const QString& loweredWord) = 0;
};

// Head words for one press: each letter file asked for is read once, whole.
class PressHeadWords final : public HeadWordSource
{
  public:
    QStringList translationsOf(const QString& path, const QString& loweredWord) override;

  private:
    QHash<QString, LetterFile::LookupTable> m_tables;
};

// The language of the words a direction looks up.
inline Language languageOf(const QString& dictExt)
{
    return dictExt == LetterFile::CzechToEnglish ? Language::Czech : Language::English;
}

// A base form of a word that has entries: the base form and those entries' translations.
struct BaseFormMatch {
    QString base;
    QStringList translations;
    bool operator==(const BaseFormMatch&) const = default;
};

// The lookup of a word that has no entry of its own through its base forms: the likeliest
// base form that is a head word in its own letter file (which may be another letter's:
// šel -> jít), and a second one only when it is as likely.
QList<BaseFormMatch> findBaseForms(const QString& loweredWord, const QString& dataPath,
                                   const QString& dictExt, const BaseFormSource& baseForms,
                                   HeadWordSource& headWords);
