#pragma once

#include "ArticleParser.h"
#include "Dictd.h"

#include <QList>
#include <QString>
#include <array>
#include <memory>
#include <optional>

namespace Import
{

// Why a source entry, or a head word built from it, did not make it into a letter file.
enum class Skip {
    LongPhrase,          // more words than a phrase has: an explanation, not a phrase
    TransparentPhrase,   // "it is" -> "to je": its translation is just its words' own
    GrammarPhrase,       // "you can", "be in": pronouns, auxiliaries, negation, prepositions
    NotEncodable,        // characters that Windows-1250 cannot hold
    NotAWord,            // "co-operate", "24th", "be!": the word splitter never yields this head
    NoTranslation,       // nothing was left after cleaning
    FileFull,            // the letter file already holds as many entries as it can
    AlreadyThere,        // the directory already has an entry for this head word
    ControlCharacter,    // a line break or another control character inside the head word
    LooksLikeTerminator, // "END" / "end" in .cze: readers would take it for the file's end
};
inline constexpr int SkipReasons = 10;
QString describe(Skip reason);

struct SkipCounts {
    std::array<qsizetype, SkipReasons> counts{};
    void add(Skip reason, qsizetype n = 1) { counts[static_cast<int>(reason)] += n; }
    qsizetype operator[](Skip reason) const { return counts[static_cast<int>(reason)]; }
    qsizetype total() const;
};

// Whether a lookup can ever ask for `head` in one of the 52 letter files, and why not. A
// phrase head ("of course") is reachable when its words, as the word splitter cuts them,
// are separated by single blanks: the pass finds it among the typed words.
std::optional<Skip> whyUnreachable(const QString& head);

// One entry for a letter file.
struct BuiltEntry {
    QString head;         // in capitals
    QString translation;  // the whole translation line
    qsizetype weight = 0; // meanings the sources gave: what a full letter file keeps first
    bool operator==(const BuiltEntry&) const = default;
};

struct DirectionResult {
    QList<BuiltEntry> entries;
    qsizetype sourceArticles = 0;  // articles of the dictionaries read for this direction
    SkipCounts skipped;            // of those articles
    qsizetype invertedOnly = 0;    // head words that only the inversion gave
    qsizetype notInverted = 0;     // meanings that are not one Czech word and were not inverted
    qsizetype droppedMeanings = 0; // meanings with characters that a letter file cannot hold
    qsizetype phrases = 0;         // entries of them whose head is more than one word
};

// A translation line longer than this is cut after its last whole meaning.
inline constexpr qsizetype MaxTranslationLength = 100;

// Joins ranked meanings into a translation line, meanings separated by "; ", as long as
// the line stays within MaxTranslationLength (the first meaning always goes in, shortened
// if need be). English-to-Czech lines end with ";", as learning writes them.
QString translationLine(const QStringList& meanings, const QString& dictExt);

// Builds the entries of both directions from dictd dictionaries: all articles of one head
// word (in any letter case) become one entry whose meanings are ranked, most everyday
// first, and stripped of duplicates.
//
// Ranking uses what the dictionaries themselves tell: a meaning confirmed by the dictionary
// of the other direction comes first; a field or style label, a proper-name head beside a
// common one, a part of speech that is rare for the head, a phrase instead of a word and an
// explanatory note push a meaning back; a word that the dictionary uses often in its other
// translations (a rough measure of how common it is) moves it forward.
class DictionaryBuilder
{
  public:
    void addEnglishCzech(const Dictd::Dictionary& dictionary);
    void addCzechEnglish(const Dictd::Dictionary& dictionary);

    DirectionResult buildEnglishCzech() const;
    // Czech head words from the Czech-English dictionaries and, with `invert`, every single
    // Czech word that translates an English head word, translated by those English words.
    DirectionResult buildCzechEnglish(bool invert) const;

    struct Article {
        QString head;
        QList<Sense> senses;
    };

  private:
    // The English head words with their meanings ranked: made once, used by both directions.
    struct RankedEnglish;
    const RankedEnglish& rankedEnglish() const;

    QList<Article> m_englishCzech;
    QList<Article> m_czechEnglish;
    qsizetype m_englishDropped = 0; // meanings the article parser left out
    qsizetype m_czechDropped = 0;
    mutable std::shared_ptr<const RankedEnglish> m_rankedEnglish;
    // Single words' translations, English to Czech and Czech to English, from both
    // dictionaries: what tells a transparent phrase.
    struct WordPairs;
    const WordPairs& wordPairs() const;
    mutable std::shared_ptr<const WordPairs> m_wordPairs;
};

} // namespace Import
