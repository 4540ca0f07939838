#include "PhraseRules.h"

#include <algorithm>

namespace Import
{

namespace
{

// Articles, prepositions, pronouns and the reflexive "se": they come and go between languages
// and say nothing about whether a phrase is an idiom.
constexpr qsizetype ShortWord = 2;

// The particles of English phrasal verbs.
const QSet<QString> Particles = {
    QStringLiteral("up"),     QStringLiteral("down"),    QStringLiteral("out"),
    QStringLiteral("off"),    QStringLiteral("in"),      QStringLiteral("on"),
    QStringLiteral("over"),   QStringLiteral("away"),    QStringLiteral("back"),
    QStringLiteral("around"), QStringLiteral("through"), QStringLiteral("along"),
};

// English and Czech pronouns, auxiliaries, modals, articles and negation, and the
// prepositions that follow them ("be in", "is on", "k tomu", "jsou k").
const QSet<QString> GrammarWords = [] {
    QSet<QString> words;
    for (const char* word :
         {"i",     "you",    "he",    "she",   "it",   "we",    "they",  "me",    "him",  "her",
          "us",    "them",   "my",    "your",  "his",  "its",   "our",   "their", "this", "that",
          "these", "those",  "there", "here",  "is",   "are",   "was",   "were",  "be",   "been",
          "being", "am",     "have",  "has",   "had",  "do",    "does",  "did",   "will", "would",
          "shall", "should", "can",   "could", "may",  "might", "must",  "not",   "no",   "a",
          "an",    "the",    "já",    "ty",    "on",   "ona",   "ono",   "my",    "vy",   "oni",
          "ony",   "to",     "ten",   "ta",    "je",   "jsem",  "jsi",   "jsme",  "jste", "jsou",
          "byl",   "byla",   "bylo",  "byli",  "bude", "budu",  "budeš", "budou", "není", "nejsou",
          "ne",    "se",     "si",    "mi",    "ti",   "mu",    "by",    "bych",  "bys",  "mít",
          "má",    "mám",    "máš",   "mají",  "být",  "in",    "at",    "to",    "of",   "for",
          "with",  "by",     "from",  "k",     "ke",   "v",     "ve",    "na",    "s",    "z",
          "ze",    "do",     "o",     "u",     "po",   "za",    "od",    "tomu",  "tím",  "ní",
          "tomto", "kterém", "že"})
        words.insert(QString::fromUtf8(word));
    return words;
}();

bool isPhrasalVerb(const QStringList& words)
{
    return words.size() == 2 && Particles.contains(words.back());
}

QStringList longWords(const QStringList& words)
{
    QStringList out;
    for (const QString& word : words) {
        if (word.size() > ShortWord)
            out.append(word);
    }
    return out;
}

} // namespace

bool onlyGrammar(const QStringList& loweredPhraseWords)
{
    return std::all_of(loweredPhraseWords.cbegin(), loweredPhraseWords.cend(),
                       [](const QString& word) { return GrammarWords.contains(word); });
}

QStringList lettersRuns(QStringView text)
{
    QStringList words;
    QString current;
    for (QChar c : text) {
        if (c.isLetter()) {
            current.append(c.toLower());
        } else if (!current.isEmpty()) {
            words.append(current);
            current.clear();
        }
    }
    if (!current.isEmpty())
        words.append(current);
    return words;
}

bool shareStem(QStringView a, QStringView b)
{
    qsizetype common = 0;
    const qsizetype shorter = std::min(a.size(), b.size());
    while (common < shorter && a[common] == b[common])
        ++common;
    return common >= 3 && common >= std::max(a.size(), b.size()) - 4;
}

void WordTranslations::add(const QString& word, QStringView translation)
{
    QSet<QString>& known = m_translations[word.toLower()];
    for (const QString& meaningWord : lettersRuns(translation))
        known.insert(meaningWord);
}

bool WordTranslations::translates(const QString& word, const QString& meaningWord) const
{
    if (shareStem(word, meaningWord)) // the same word or a loan: hot dog -> hotdog
        return true;
    const auto it = m_translations.constFind(word);
    if (it == m_translations.cend())
        return false;
    return std::any_of(it->cbegin(), it->cend(),
                       [&](const QString& known) { return shareStem(known, meaningWord); });
}

bool WordTranslations::transparent(const QStringList& loweredPhraseWords,
                                   const QStringList& meanings) const
{
    if (isPhrasalVerb(loweredPhraseWords))
        return false;
    const QStringList phraseWords = longWords(loweredPhraseWords);
    for (const QString& meaning : meanings) {
        const QStringList meaningWords = longWords(lettersRuns(meaning));
        const auto translatedBy = [&](const QString& meaningWord) {
            return std::any_of(phraseWords.cbegin(), phraseWords.cend(),
                               [&](const QString& word) { return translates(word, meaningWord); });
        };
        const auto translatedIn = [&](const QString& word) {
            return std::any_of(
                meaningWords.cbegin(), meaningWords.cend(),
                [&](const QString& meaningWord) { return translates(word, meaningWord); });
        };
        if (!std::all_of(meaningWords.cbegin(), meaningWords.cend(), translatedBy) ||
            !std::all_of(phraseWords.cbegin(), phraseWords.cend(), translatedIn))
            return false;
    }
    return true;
}

} // namespace Import
