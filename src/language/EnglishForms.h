#pragma once

#include "language/BaseFormGuesses.h"

// English inflection: the base forms of a lowered English word by its regular endings
// (plurals, -ed, -ing, comparatives, adverbs in -ly) and by a table of irregular verbs,
// nouns and comparisons (went -> go, children -> child, better -> good). Like the Czech
// analyser it knows no words: only guesses that are head words may be used.
namespace EnglishForms
{

// Cheapest (likeliest) first, never the word itself.
BaseFormGuesses guessesOf(const QString& loweredWord);

} // namespace EnglishForms
