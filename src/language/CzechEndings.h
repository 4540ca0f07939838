#pragma once

#include "language/BaseFormGuesses.h"

// The Czech ending analyser: guesses the base forms of an inflected Czech word (lowered) by
// taking off its case, person or tense ending and putting back the ending of the form a
// dictionary lists (the nominative singular, the masculine singular of an adjective, the
// infinitive), with the usual changes of the stem: the fleeting e (pes/psa, den/dne), ů and o
// (dům/domu, stůl/stole), the consonants that soften before an ending (ruka/ruce,
// Praha/Praze, kluk/kluci), a vowel that is long in the base form (léto/let, nést/nese).
// Forms that follow no ending (šel/jít, lidé/člověk, the pronouns) come from a small table,
// and prefixed verbs are found through the verb they are built on (přišel/přijít,
// vybere/vybrat). The analyser knows no words: most of its guesses are not Czech at all, and
// only those that are head words of the dictionary may be used.
namespace CzechEndings
{

enum Stems {
    ChangedStems, // with the changes of the stem the endings come with
    SameStem,     // the stem as the word has it (for words no Czech dictionary knows)
};

// Cheapest (likeliest) first, never the word itself.
BaseFormGuesses guessesOf(const QString& loweredWord, Stems stems = ChangedStems);

// Whether the word is a form of the noun in -ost made from the adjective (závislostí,
// závislý): another word, not a form of the adjective.
bool isQualityOf(const QString& loweredWord, const QString& adjective);

} // namespace CzechEndings
