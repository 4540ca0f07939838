#pragma once

#include "translate/LookupChain.h"

#include <QList>
#include <QString>

// Whether a press's text is plainly in the other direction's language: in the
// English-to-Czech window a word in lower case with a letter only Czech writes (ě š č ř ž ů
// ď ť ň), or in either window at least half of the words (and two or more) without entries
// here that the other direction's dictionary knows.
bool inOtherLanguage(const QList<TypedWord>& words, const QList<WordLookup>& lookups,
                     const LookupChain& otherDirection, const QString& dictExt);

// The line at the top of such a press's result: which window translates it.
QString otherLanguageLine(const QString& dictExt);
