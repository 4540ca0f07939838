#include "DictionaryBuilder.h"

#include "PhraseRules.h"

#include "dictionary/Cp1250.h"
#include "dictionary/LetterFile.h"
#include "dictionary/WordSplitter.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace Import
{

namespace
{

// Labels that say nothing about how common a meaning is.
const QSet<QString> NeutralLabels = {
    QStringLiteral("neprav"), QStringLiteral("obec"), QStringLiteral("hovor"),
    QStringLiteral("hov"),    QStringLiteral("amer"), QStringLiteral("am"),
    QStringLiteral("brit"),   QStringLiteral("pl"),
};
// Style labels: slang, vulgar, old, poetic, figurative, set phrases.
const QSet<QString> StyleLabels = {
    QStringLiteral("slang"), QStringLiteral("vulg"), QStringLiteral("obsc"),
    QStringLiteral("zast"),  QStringLiteral("bás"),  QStringLiteral("kniž"),
    QStringLiteral("knižn"), QStringLiteral("žert"), QStringLiteral("dět"),
    QStringLiteral("sex"),   QStringLiteral("přen"), QStringLiteral("idiom"),
    QStringLiteral("neobv"), QStringLiteral("frsl"), QStringLiteral("arch"),
    QStringLiteral("fráz"),  QStringLiteral("id"),
};
// Any other label names a field (chemistry, economics, ...): the meaning of specialists.
constexpr double FieldPenalty = -3.0;
constexpr double StylePenalty = -2.5;
constexpr double ProperNamePenalty = -3.0;
constexpr double SameAsHeadPenalty = -2.0;
constexpr double NotePenalty = -1.0;
constexpr double RarePartOfSpeechPenalty = -1.0;
constexpr double ConfirmedBonus = 4.0;
constexpr double DirectEntryScore = 100.0;
constexpr double InvertedRankStep = -0.25;
constexpr int InvertedRankLimit = 6;
// The Czech counts come from translations, where everyday words are rarer than in heads.
constexpr int CzechFrequencyCap = 64;
constexpr double CzechFrequencyWeight = 0.6;
constexpr int EnglishFrequencyCap = 256;
constexpr double EnglishFrequencyWeight = 1.0;
constexpr double FamilyBonus = 1.0;
// The meanings of a word that a phrase made of it may only repeat to be transparent.
constexpr qsizetype PhraseWordMeanings = 3;
constexpr int FamilyBonusLimit = 3;

double labelPenalty(const QStringList& labels)
{
    double penalty = 0;
    for (const QString& label : labels) {
        if (NeutralLabels.contains(label))
            continue;
        penalty = std::min(penalty, StyleLabels.contains(label) ? StylePenalty : FieldPenalty);
    }
    return penalty;
}

double phrasePenalty(QStringView text)
{
    return -std::min(2.0, 0.7 * static_cast<double>(wordCount(text) - 1));
}

bool hasCapital(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isUpper(); });
}

// How often the dictionaries use each word in their texts: a rough stand-in for how common
// a word is in the language.
class WordFrequency
{
  public:
    WordFrequency(double factor, int cap) : m_factor(factor), m_cap(cap) {}

    void add(QStringView text)
    {
        for (const QString& word : lettersRuns(text))
            ++m_counts[word];
    }

    // The score of the text's rarest word.
    double weight(QStringView text) const
    {
        int rarest = m_cap;
        const QStringList words = lettersRuns(text);
        for (const QString& word : words)
            rarest = std::min(rarest, m_counts.value(word));
        if (words.isEmpty())
            rarest = 0;
        return m_factor * std::log2(1.0 + rarest);
    }

  private:
    double m_factor;
    int m_cap;
    QHash<QString, int> m_counts;
};

// Czech-English pairs that the Czech-English dictionary states itself. Its old infinitives
// in -ti ("běžeti") also confirm the modern form ("běžet").
class ConfirmedPairs
{
  public:
    explicit ConfirmedPairs(const QList<DictionaryBuilder::Article>& czechEnglish)
    {
        for (const auto& article : czechEnglish) {
            const QString czech = article.head.toLower();
            for (const Sense& sense : article.senses) {
                m_pairs.insert(key(czech, sense.core));
                if (czech.endsWith(QLatin1String("ti")))
                    m_pairs.insert(key(czech.chopped(1), sense.core));
            }
        }
    }

    bool contains(const QString& czech, const QString& english) const
    {
        return m_pairs.contains(key(czech, english));
    }

  private:
    static QString key(const QString& czech, const QString& english)
    {
        return czech.toLower() + QChar(0x1f) + english.toLower();
    }
    QSet<QString> m_pairs;
};

// The regular inflected forms of an English word: houses, watered, running, tries, ...
QStringList inflectedForms(const QString& word)
{
    QStringList forms = {word + QLatin1String("s"), word + QLatin1String("es"),
                         word + QLatin1String("ed"), word + QLatin1String("ing")};
    if (word.size() < 2)
        return forms;
    const QChar last = word.back();
    const QString stem = word.chopped(1);
    if (last == u'e')
        forms += {word + QLatin1String("d"), stem + QLatin1String("ing")};
    if (last == u'y')
        forms += {stem + QLatin1String("ies"), stem + QLatin1String("ied")};
    forms += {word + last + QLatin1String("ed"), word + last + QLatin1String("ing")};
    return forms;
}

// The Czech meanings of the inflected forms of an English head word ("sees" -> "vidí") tell
// which meaning of the word itself is the everyday one ("vidět", not "navštívit").
class WordFamilies
{
  public:
    explicit WordFamilies(const QList<DictionaryBuilder::Article>& englishCzech)
    {
        for (const auto& article : englishCzech) {
            QStringList& meanings = m_meanings[article.head.toLower()];
            for (const Sense& sense : article.senses) {
                if (!sense.core.contains(u' '))
                    meanings.append(sense.core.toLower());
            }
        }
    }

    // How many distinct meanings of the word's inflected forms share a stem with `meaning`.
    int support(const QString& word, const QString& meaning, QStringList& familyCache) const
    {
        if (familyCache.isEmpty()) {
            for (const QString& form : inflectedForms(word.toLower()))
                familyCache += m_meanings.value(form);
            familyCache.removeDuplicates();
            if (familyCache.isEmpty())
                familyCache.append(QString()); // looked up: nothing
        }
        if (meaning.contains(u' '))
            return 0;
        const QString lowered = meaning.toLower();
        int count = 0;
        for (const QString& other : familyCache) {
            if (!other.isEmpty() && shareStem(lowered, other))
                ++count;
        }
        return std::min(count, FamilyBonusLimit);
    }

  private:
    QHash<QString, QStringList> m_meanings;
};

struct Meaning {
    QString text;
    QString core;
    QStringList labels;
    QString sourceHead; // the head word of the article it came from
    double score = 0;
};

// Best first; among equals the dictionary's own order; one meaning per core text.
QList<Meaning> ranked(QList<Meaning> meanings)
{
    std::stable_sort(meanings.begin(), meanings.end(),
                     [](const Meaning& a, const Meaning& b) { return a.score > b.score; });
    QList<Meaning> unique;
    QSet<QString> seen;
    for (Meaning& meaning : meanings) {
        const QString key = meaning.core.toLower();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        unique.append(std::move(meaning));
    }
    return unique;
}

// One field of each meaning: its text, or its core.
QStringList textsOf(const QList<Meaning>& meanings, QString Meaning::*field = &Meaning::text)
{
    QStringList texts;
    texts.reserve(meanings.size());
    for (const Meaning& meaning : meanings)
        texts.append(meaning.*field);
    return texts;
}

// Articles of one head word in any letter case, in dictionary order.
struct Group {
    QString key; // the head in capitals
    QList<const DictionaryBuilder::Article*> articles;
    QList<Meaning> meanings; // ranked
};

QList<Group> groupByHead(const QList<DictionaryBuilder::Article>& articles)
{
    QList<Group> groups;
    QHash<QString, qsizetype> position;
    for (const auto& article : articles) {
        const QString key = article.head.toUpper();
        auto it = position.find(key);
        if (it == position.end()) {
            it = position.insert(key, groups.size());
            groups.append(Group{key, {}, {}});
        }
        groups[*it].articles.append(&article);
    }
    return groups;
}

// Ranks the meanings of every English head word.
QList<Group> rankedEnglishGroups(const QList<DictionaryBuilder::Article>& englishCzech,
                                 const QList<DictionaryBuilder::Article>& czechEnglish)
{
    WordFrequency czechWords(CzechFrequencyWeight, CzechFrequencyCap);
    for (const auto& article : englishCzech) {
        for (const Sense& sense : article.senses)
            czechWords.add(sense.core);
    }
    const ConfirmedPairs confirmed(czechEnglish);
    const WordFamilies families(englishCzech);

    QList<Group> groups = groupByHead(englishCzech);
    for (Group& group : groups) {
        const bool hasCommonHead = std::any_of(group.articles.begin(), group.articles.end(),
                                               [](const auto* a) { return !hasCapital(a->head); });
        QHash<QString, int> partsOfSpeech;
        int tagged = 0;
        for (const auto* article : group.articles) {
            for (const Sense& sense : article->senses) {
                if (!sense.partOfSpeech.isEmpty()) {
                    ++partsOfSpeech[sense.partOfSpeech];
                    ++tagged;
                }
            }
        }
        QList<Meaning> meanings;
        for (const auto* article : group.articles) {
            const bool properName = hasCommonHead && hasCapital(article->head);
            QStringList family;
            for (const Sense& sense : article->senses) {
                double score = labelPenalty(sense.domains) + phrasePenalty(sense.core) +
                               czechWords.weight(sense.core);
                if (properName)
                    score += ProperNamePenalty;
                if (sense.core.compare(article->head, Qt::CaseInsensitive) == 0)
                    score += SameAsHeadPenalty;
                if (sense.text != sense.core)
                    score += NotePenalty;
                if (!sense.partOfSpeech.isEmpty() &&
                    partsOfSpeech.value(sense.partOfSpeech) * 2 < tagged)
                    score += RarePartOfSpeechPenalty;
                if (confirmed.contains(sense.core, article->head))
                    score += ConfirmedBonus;
                score += FamilyBonus * families.support(article->head, sense.core, family);
                meanings.append({sense.text, sense.core, sense.domains, article->head, score});
            }
        }
        group.meanings = ranked(std::move(meanings));
    }
    return groups;
}

// Why a phrase is not worth its line beside the word lines.
std::optional<Skip> whyNotHelpful(const Group& group, const WordTranslations& translations)
{
    if (!group.key.contains(u' '))
        return std::nullopt;
    const QStringList words = WordSplitter::split(group.key.toLower());
    if (onlyGrammar(words))
        return Skip::GrammarPhrase;
    if (translations.transparent(words, textsOf(group.meanings, &Meaning::core)))
        return Skip::TransparentPhrase;
    return std::nullopt;
}

qsizetype phraseCount(const QList<BuiltEntry>& entries)
{
    return std::count_if(entries.begin(), entries.end(),
                         [](const BuiltEntry& entry) { return entry.head.contains(u' '); });
}

// Counts every article of the groups that cannot be written or are transparent phrases, and
// the articles without a meaning; returns the entries of the others.
QList<BuiltEntry> entriesOf(const QList<Group>& groups, const QString& dictExt,
                            const WordTranslations& translations, SkipCounts& skipped)
{
    QList<BuiltEntry> entries;
    for (const Group& group : groups) {
        if (const auto why = whyUnreachable(group.articles.constFirst()->head)) {
            skipped.add(*why, group.articles.size());
            continue;
        }
        for (const auto* article : group.articles) {
            if (article->senses.isEmpty())
                skipped.add(Skip::NoTranslation);
        }
        if (group.meanings.isEmpty())
            continue;
        if (const auto why = whyNotHelpful(group, translations)) {
            skipped.add(*why, group.articles.size());
            continue;
        }
        entries.append(
            {group.key, translationLine(textsOf(group.meanings), dictExt), group.meanings.size()});
    }
    return entries;
}

} // namespace

QString describe(Skip reason)
{
    switch (reason) {
    case Skip::LongPhrase:
        return QStringLiteral("víceslovné heslo delší než %1 slova").arg(MaxPhraseWords);
    case Skip::TransparentPhrase:
        return QStringLiteral("sousloví, jehož překlad je jen překladem jeho slov");
    case Skip::GrammarPhrase:
        return QStringLiteral("sousloví jen ze zájmen, pomocných sloves, záporu a předložek");
    case Skip::NotEncodable:
        return QStringLiteral("znaky mimo Windows-1250");
    case Skip::NotAWord:
        return QStringLiteral("heslo, na které se vyhledávání nikdy nezeptá");
    case Skip::NoTranslation:
        return QStringLiteral("po vyčištění nezbyl překlad");
    case Skip::FileFull:
        return QStringLiteral("písmenový soubor je plný (32 767 hesel)");
    case Skip::AlreadyThere:
        return QStringLiteral("heslo už ve slovníku je");
    case Skip::ControlCharacter:
        return QStringLiteral("heslo se zalomením řádku nebo jiným řídicím znakem");
    case Skip::LooksLikeTerminator:
        return QStringLiteral("heslo, které by se četlo jako konec souboru");
    }
    return {};
}

qsizetype SkipCounts::total() const
{
    qsizetype sum = 0;
    for (qsizetype n : counts)
        sum += n;
    return sum;
}

std::optional<Skip> whyUnreachable(const QString& head)
{
    if (hasControlCharacter(head))
        return Skip::ControlCharacter;
    const QString capitals = head.toUpper();
    if (Cp1250::firstUnencodable(head) || Cp1250::firstUnencodable(capitals))
        return Skip::NotEncodable;
    const QStringList words = WordSplitter::split(head);
    if (words.join(u' ') != head || capitals.toLower() != head.toLower())
        return Skip::NotAWord;
    if (words.size() > MaxPhraseWords)
        return Skip::LongPhrase;
    const QString letter = LetterFile::fileLetter(head);
    if (letter.size() != 1 || letter[0] < u'a' || letter[0] > u'z')
        return Skip::NotAWord;
    return std::nullopt;
}

QString translationLine(const QStringList& meanings, const QString& dictExt)
{
    const QString separator = QStringLiteral("; ");
    const QString ending = dictExt == LetterFile::EnglishToCzech ? QStringLiteral(";") : QString();
    const qsizetype room = MaxTranslationLength - ending.size();
    QString line;
    for (const QString& meaning : meanings) {
        if (line.isEmpty()) {
            line = meaning;
            if (line.size() > room) {
                const qsizetype cut = line.lastIndexOf(u' ', room - 1);
                line = line.first(cut > 0 ? cut : room - 1) + QChar(0x2026); // …
            }
            continue;
        }
        if (line.size() + separator.size() + meaning.size() > room)
            break;
        line += separator + meaning;
    }
    return line + ending;
}

struct DictionaryBuilder::RankedEnglish {
    QList<Group> groups;
};

const DictionaryBuilder::RankedEnglish& DictionaryBuilder::rankedEnglish() const
{
    if (!m_rankedEnglish)
        m_rankedEnglish = std::make_shared<RankedEnglish>(
            RankedEnglish{rankedEnglishGroups(m_englishCzech, m_czechEnglish)});
    return *m_rankedEnglish;
}

struct DictionaryBuilder::WordPairs {
    WordTranslations englishCzech;
    WordTranslations czechEnglish;
};

const DictionaryBuilder::WordPairs& DictionaryBuilder::wordPairs() const
{
    if (m_wordPairs)
        return *m_wordPairs;
    auto pairs = std::make_shared<WordPairs>();
    const auto add = [&](const QString& english, const QString& czech) {
        if (!english.contains(u' '))
            pairs->englishCzech.add(english, czech);
        if (!czech.contains(u' '))
            pairs->czechEnglish.add(czech, english);
    };
    // Only a word's first meanings: those its own line shows first. "last" may mean "konečně",
    // but "at last" is still worth its line.
    for (const Group& group : rankedEnglish().groups) {
        const qsizetype first = std::min<qsizetype>(group.meanings.size(), PhraseWordMeanings);
        for (qsizetype rank = 0; rank < first; ++rank)
            add(group.key.toLower(), group.meanings[rank].core);
    }
    for (const auto& article : m_czechEnglish) {
        for (const Sense& sense : article.senses)
            add(sense.core, article.head);
    }
    m_wordPairs = pairs;
    return *m_wordPairs;
}

void DictionaryBuilder::addEnglishCzech(const Dictd::Dictionary& dictionary)
{
    m_rankedEnglish.reset();
    m_wordPairs.reset();
    m_englishCzech.reserve(m_englishCzech.size() + dictionary.articles.size());
    for (const Dictd::Article& article : dictionary.articles) {
        ParsedArticle parsed = parseArticle(article.head, article.body);
        m_englishDropped += parsed.droppedSenses;
        m_englishCzech.append({std::move(parsed.head), std::move(parsed.senses)});
    }
}

void DictionaryBuilder::addCzechEnglish(const Dictd::Dictionary& dictionary)
{
    m_rankedEnglish.reset();
    m_wordPairs.reset();
    m_czechEnglish.reserve(m_czechEnglish.size() + dictionary.articles.size());
    for (const Dictd::Article& article : dictionary.articles) {
        ParsedArticle parsed = parseArticle(article.head, article.body);
        m_czechDropped += parsed.droppedSenses;
        m_czechEnglish.append({std::move(parsed.head), std::move(parsed.senses)});
    }
}

DirectionResult DictionaryBuilder::buildEnglishCzech() const
{
    DirectionResult result;
    result.sourceArticles = m_englishCzech.size();
    result.droppedMeanings = m_englishDropped;
    result.entries = entriesOf(rankedEnglish().groups, LetterFile::EnglishToCzech,
                               wordPairs().englishCzech, result.skipped);
    result.phrases = phraseCount(result.entries);
    return result;
}

DirectionResult DictionaryBuilder::buildCzechEnglish(bool invert) const
{
    DirectionResult result;
    result.sourceArticles = m_czechEnglish.size();
    result.droppedMeanings = m_czechDropped;

    // English phrases that the Czech-English dictionary runs together ("inorderto").
    QSet<QString> englishHeads;
    QHash<QString, QString> phraseBySpelling;
    for (const auto& article : m_englishCzech) {
        englishHeads.insert(article.head.toLower());
        if (article.head.contains(u' ') && fitsLetterFileLine(article.head))
            phraseBySpelling.insert(article.head.toLower().remove(u' '), article.head);
    }
    const auto repaired = [&](const QString& english) {
        if (english.contains(u' ') || englishHeads.contains(english.toLower()))
            return english;
        return phraseBySpelling.value(english.toLower(), english);
    };

    // The Czech-English dictionary's own meanings come first, in its order.
    QList<Group> groups = groupByHead(m_czechEnglish);
    QHash<QString, qsizetype> position;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        Group& group = groups[i];
        position.insert(group.key, i);
        for (const auto* article : group.articles) {
            for (const Sense& sense : article->senses) {
                const QString text = sense.text == sense.core ? repaired(sense.text) : sense.text;
                group.meanings.append(
                    {text, repaired(sense.core), sense.domains, article->head, DirectEntryScore});
            }
        }
    }

    if (invert) {
        WordFrequency englishWords(EnglishFrequencyWeight, EnglishFrequencyCap);
        for (const auto& article : m_englishCzech)
            englishWords.add(article.head);
        for (const auto& article : m_czechEnglish) {
            for (const Sense& sense : article.senses)
                englishWords.add(sense.core);
        }
        const ConfirmedPairs confirmed(m_czechEnglish);

        for (const Group& english : rankedEnglish().groups) {
            for (qsizetype rank = 0; rank < english.meanings.size(); ++rank) {
                const Meaning& meaning = english.meanings[rank];
                if (whyUnreachable(meaning.core)) {
                    ++result.notInverted;
                    continue;
                }
                const QString& word = meaning.sourceHead;
                if (!fitsLetterFileLine(word)) {
                    ++result.droppedMeanings; // "smørrebrød" cannot translate "chlebíček"
                    continue;
                }
                double score =
                    InvertedRankStep *
                        static_cast<double>(std::min<qsizetype>(rank, InvertedRankLimit)) +
                    englishWords.weight(word) + phrasePenalty(word) + labelPenalty(meaning.labels);
                if (hasCapital(word) && !hasCapital(meaning.core))
                    score += ProperNamePenalty;
                if (word.compare(meaning.core, Qt::CaseInsensitive) == 0)
                    score += SameAsHeadPenalty;
                if (confirmed.contains(meaning.core, word))
                    score += ConfirmedBonus;

                const QString key = meaning.core.toUpper();
                auto it = position.find(key);
                if (it == position.end()) {
                    it = position.insert(key, groups.size());
                    groups.append(Group{key, {}, {}});
                }
                groups[*it].meanings.append({word, word, meaning.labels, meaning.core, score});
            }
        }
    }

    const WordTranslations& translations = wordPairs().czechEnglish;
    QList<Group> direct;
    QList<BuiltEntry> invertedOnly;
    for (Group& group : groups) {
        group.meanings = ranked(std::move(group.meanings));
        if (!group.articles.isEmpty()) {
            direct.append(std::move(group));
            continue;
        }
        if (const auto why = whyNotHelpful(group, translations)) {
            result.skipped.add(*why);
            continue;
        }
        invertedOnly.append({group.key,
                             translationLine(textsOf(group.meanings), LetterFile::CzechToEnglish),
                             group.meanings.size()});
    }
    result.invertedOnly = invertedOnly.size();
    result.entries =
        entriesOf(direct, LetterFile::CzechToEnglish, translations, result.skipped) + invertedOnly;
    result.phrases = phraseCount(result.entries);
    return result;
}

} // namespace Import
