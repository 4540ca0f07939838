#pragma once

#include "dictionary/LetterFile.h"
#include "language/BaseFormSource.h"

#include <QString>
#include <QStringList>

class LetterTables;

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
// šel -> jít), and a second one only when it is as likely. Candidates are checked in the
// pass's tables, so no letter file is read once per candidate.
QList<BaseFormMatch> findBaseForms(const QString& loweredWord, Language language,
                                   const BaseFormSource& baseForms, LetterTables& tables);
