#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace Import
{

// A phrase head of more words than this is an explanation rather than a phrase a sentence holds.
inline constexpr qsizetype MaxPhraseWords = 4;

// The lowered words of a text: runs of letters.
QStringList lettersRuns(QStringView text);

// Whether two words look like forms of one word: "vidět" and "vidí", "rodina" and "rodinný",
// but not "domácnost" and "domy".
bool shareStem(QStringView a, QStringView b);

// Whether a phrase is made of nothing but pronouns, auxiliaries, modals, articles, negation
// and prepositions ("you can", "is not", "be in", "je to"): grammar that the word lines
// already show.
bool onlyGrammar(const QStringList& loweredPhraseWords);

// The single-word translations of one language's words, to tell an idiom (of course ->
// samozřejmě) from a phrase whose translation is just its words' own (it is -> to je, family
// house -> rodinný dům), which would only repeat the word lines beside it.
class WordTranslations
{
  public:
    // `word` translates as `translation` (its words are taken, lowered).
    void add(const QString& word, QStringView translation);

    // Whether every meaning of the phrase is made of its words' translations: each longer word
    // of the meaning translates a word of the phrase, and each longer word of the phrase is
    // translated by a word of the meaning. Phrasal verbs (give up, sit down) are never
    // transparent: the particle changes the verb even where the translation looks like the
    // verb's own. Short words (to, je, a, of, se) are left out on both sides.
    bool transparent(const QStringList& loweredPhraseWords, const QStringList& meanings) const;

  private:
    bool translates(const QString& word, const QString& meaningWord) const;

    QHash<QString, QSet<QString>> m_translations;
};

} // namespace Import
