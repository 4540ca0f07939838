#pragma once

#include "language/FormLookup.h"
#include "language/FormTableFormat.h"

#include <QList>

// One head word a lookup may answer with, and what the word-form table says of it.
struct RankedForm {
    FormMatch match;
    FormTableFormat::Kind kind = FormTableFormat::Kind::HeadWord;
    quint32 weight = 0; // the more, the more common the head word
};

// The best `limit` head words among the candidates, each head word once (a Czech lemma found
// through several of its forms counts once, by its best form): fewest edits first, then the
// head word itself before its forms, then the commoner word.
QList<FormMatch> bestForms(QList<RankedForm> candidates, int limit);
