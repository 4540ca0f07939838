#pragma once

#include "language/FormLookup.h"
#include "language/FormTableFormat.h"

#include <QList>
#include <tuple>

// One head word a lookup may answer with, and what the word-form table says of it.
struct RankedForm {
    FormMatch match;
    FormTableFormat::Kind kind = FormTableFormat::Kind::HeadWord;
    quint32 weight = 0; // the more, the more common the head word
};

// How bestForms() ranks a candidate, the lower first; `base` is the head word or anything
// ordered as its text is.
template <typename Base>
std::tuple<int, int, qint64, const Base&> formRank(int edits, FormTableFormat::Kind kind,
                                                   quint32 weight, const Base& base)
{
    return {edits, int(kind), -qint64(weight), base};
}

// The best `limit` head words among the candidates, each head word once (a Czech lemma found
// through several of its forms counts once, by its best form): fewest edits first; then the
// head word itself before its forms (kun -> kůň before kuna); then the commoner word.
QList<FormMatch> bestForms(QList<RankedForm> candidates, int limit);

// The head words a mistyped word was likeliest meant as, reordered by how it differs from
// each of them: fewest edits first; then a slip that fingers often make (two neighbours
// swapped, a letter doubled, a letter left out, a neighbouring key) before any other edit;
// then the same first letter as typed. Otherwise the order given (by bestForms: the commoner word
// first) stays.
QList<FormMatch> likeliestMeant(const QString& typed, QList<FormMatch> nearest);

// Whether `typed` is `meant` (both folded) after one slip that fingers often make: two
// neighbours swapped, a letter typed twice, a letter left out, the key beside the right one.
bool usualSlip(const QString& typed, const QString& meant);
