#include "language/BaseForms.h"

#include "language/BaseFormList.h"
#include "language/CzechEndings.h"
#include "language/EnglishForms.h"
#include "language/HunspellDictionary.h"

#include <QHash>
#include <QtGlobal>
#include <array>
#include <chrono>
#include <optional>

namespace
{

// Hunspell's stems come before the guesses that are not sure: the dictionary holds many
// inflected forms as heads of their own (klíče, nástroje), which an ending guesses first
// (klíči -> klíče) where Hunspell knows the base form (klíč).
// A stem Hunspell found by a suffix rule.
constexpr int HunspellCost = 1;
// A guess made on Hunspell's stem (byla -> byl -> být) costs the two steps together.
constexpr int ChainCost = 1;
// Words remembered per language before the memory starts afresh.
constexpr qsizetype MemoLimit = 50000;

// English suffix classes of en_US that inflect: -s, -ed, -ing, -est. The others derive
// another word (-ion, -ness, -er of a doer, -ly), whose stem would mistranslate it.
bool inflects(const QStringList& suffixFlags)
{
    static const QStringList inflecting{QStringLiteral("S"), QStringLiteral("D"),
                                        QStringLiteral("G"), QStringLiteral("T")};
    for (const QString& flag : suffixFlags) {
        if (!inflecting.contains(flag))
            return false;
    }
    return true;
}

} // namespace

// The stages of one word's candidates, surest first; a stage is tried only when the ones
// before it gave no head word:
//   0. the sure guesses of the language's own analyser (tables, -ého, -ovat's forms);
//   1. Hunspell's stems, the likelier first by the analyser's own cost for them;
//   2. the sure guesses on Hunspell's stems and on the forms it gives for stems (byl -> být);
//   3. the other guesses on those;
//   4. only for a word Hunspell finds no stem for: the other guesses on the word itself. A
//      word Hunspell does not know is taken only to a base form it does not know either (it
//      would know the regular forms of a word it knows: "gnu" is not a form of "gen"), and
//      with no change of the stem; a word it knows only as itself (psa) never to a head word
//      that Hunspell analyses as a form of another word (vidím is not a form of vidí).
class LanguageAnalyser
{
  public:
    LanguageAnalyser(Language language, std::unique_ptr<HunspellDictionary> hunspell)
        : m_language(language), m_hunspell(std::move(hunspell))
    {
    }

    QStringList baseFormsOf(const QString& word, const IsHeadWord& isHeadWord)
    {
        if (m_memo.size() >= MemoLimit)
            m_memo.clear();
        Candidates& candidates = m_memo[word];
        if (!candidates.ownMade)
            makeOwn(word, candidates);
        QStringList found = firstHeadWords(candidates.stages[0], isHeadWord);
        if (!found.isEmpty())
            return found;
        // Hunspell's analysis is the dearest part, and many words never need it.
        if (!candidates.stemsMade)
            makeStems(word, candidates);
        found = firstHeadWords(candidates.stages[1], isHeadWord);
        if (!found.isEmpty())
            return found;
        if (!candidates.restMade)
            makeRest(word, candidates);
        for (int stage : {2, 3}) {
            found = firstHeadWords(candidates.stages[stage], isHeadWord);
            if (!found.isEmpty())
                return found;
        }
        const bool known = candidates.hunspellKnows;
        return firstHeadWords(candidates.stages[4], [&](QStringView base) {
            return isHeadWord(base) &&
                   (known ? !isFormOfAnother(base.toString()) : !knows(base.toString()));
        });
    }

  private:
    struct Candidates {
        std::array<QList<BaseForm>, 5> stages;
        QList<BaseForm> ownRest;     // the own guesses on the word that are not sure
        QHash<QString, int> ownCost; // the cost of each own guess on the word
        QStringList stems;           // every stem Hunspell gave, forms like byl included
        QStringList forms;           // the stems that are forms (byl)
        bool hunspellKnows = false;  // Hunspell has an analysis of the word
        bool onlyAsName = false;     // ... of the word written with a capital only
        bool ownMade = false;
        bool stemsMade = false;
        bool restMade = false;
    };

    void makeOwn(const QString& word, Candidates& candidates)
    {
        for (const BaseForm& form : ownBaseForms(m_language, word)) {
            candidates.ownCost.insert(form.word, form.cost);
            (form.cost <= SureCost ? candidates.stages[0] : candidates.ownRest).append(form);
        }
        candidates.ownMade = true;
    }

    void makeStems(const QString& word, Candidates& candidates)
    {
        const QList<HunspellDictionary::Stem> all = analyses(word, &candidates.onlyAsName);
        candidates.hunspellKnows = !all.isEmpty();
        const QList<HunspellDictionary::Stem> analyses = baseStems(word, all);
        BaseFormList stems(word);
        for (const HunspellDictionary::Stem& stem : analyses) {
            if (stem.word == word)
                continue;
            if (isFormItself(stem.suffixFlags))
                candidates.forms.append(stem.word);
            else
                stems.add(stem.word, HunspellCost + candidates.ownCost.value(stem.word, Unguessed));
            candidates.stems.append(stem.word);
        }
        candidates.stages[1] = std::move(stems).guesses().toList();
        candidates.stemsMade = true;
    }

    void makeRest(const QString& word, Candidates& candidates)
    {
        BaseFormList sure(word);
        BaseFormList rest(word);
        for (const QString& stem : std::as_const(candidates.stems)) {
            for (const BaseForm& form : ownBaseForms(m_language, stem))
                (form.cost <= SureCost ? sure : rest)
                    .add(form.word, form.cost + HunspellCost + ChainCost);
        }
        // A form Hunspell gives is a head word itself only when nothing else is (schopni ->
        // schopen).
        for (const QString& form : std::as_const(candidates.forms))
            rest.add(form, Unguessed);
        candidates.stages[2] = std::move(sure).guesses().toList();
        candidates.stages[3] = std::move(rest).guesses().toList();
        // A name is not guessed at (Perrier is no form of perry).
        if (candidates.stems.isEmpty() && !candidates.onlyAsName) {
            candidates.stages[4] = candidates.hunspellKnows
                                       ? candidates.ownRest
                                       : unchangedStems(word, candidates.ownRest);
        }
        candidates.restMade = true;
    }

    // The guesses that keep the word's stem as it is: firewally -> firewall, not gnu -> gen.
    QList<BaseForm> unchangedStems(const QString& word, const QList<BaseForm>& guesses) const
    {
        if (m_language == Language::English)
            return guesses;
        const QList<BaseForm> plain =
            CzechEndings::guessesOf(word, CzechEndings::SameStem).toList();
        QList<BaseForm> out;
        for (const BaseForm& guess : guesses) {
            if (plain.contains(guess))
                out.append(guess);
        }
        return out;
    }

    // Hunspell's analyses of a lowered word: as it is, or else as a name (praze: Praze).
    QList<HunspellDictionary::Stem> analyses(const QString& word, bool* onlyAsName = nullptr)
    {
        QList<HunspellDictionary::Stem> found = m_hunspell->stems(word);
        if (found.isEmpty() && !word.isEmpty()) {
            const QString name = asName(word);
            if (m_hunspell->knows(name))
                found = m_hunspell->stems(name);
            if (onlyAsName)
                *onlyAsName = !found.isEmpty();
        }
        return found;
    }

    static QString asName(const QString& word) { return word.front().toUpper() + word.mid(1); }

    // Those of Hunspell's analyses of a word that give a base form of it, lowered; the word
    // itself among them when Hunspell holds it as it is.
    QList<HunspellDictionary::Stem> baseStems(const QString& word,
                                              QList<HunspellDictionary::Stem> analyses) const
    {
        QList<HunspellDictionary::Stem> out;
        for (HunspellDictionary::Stem& stem : analyses) {
            stem.word = stem.word.toLower();
            if (stem.word == word ||
                (!stem.prefixed && takesStem(word, stem.word, stem.suffixFlags)))
                out.append(std::move(stem));
        }
        return out;
    }

    bool knows(const QString& word)
    {
        return !word.isEmpty() && (m_hunspell->knows(word) || m_hunspell->knows(asName(word)));
    }

    // Whether Hunspell analyses a word only as a form of other words.
    bool isFormOfAnother(const QString& word)
    {
        const QList<HunspellDictionary::Stem> stems = baseStems(word, analyses(word));
        for (const HunspellDictionary::Stem& stem : stems) {
            if (stem.word == word)
                return false;
        }
        return !stems.isEmpty();
    }

    // Hunspell's Czech class O gives the masculine of a past or passive form for its other
    // genders (byla -> byl, popsáno -> popsán): a form, not the base form.
    bool isFormItself(const QStringList& suffixFlags) const
    {
        return m_language == Language::Czech && suffixFlags.contains(QStringLiteral("O"));
    }

    // Whether a Hunspell stem is a base form of the word and not of another word: English
    // stems only by inflection; no Czech noun in -ost by the adjective it is made from
    // (závislost is not závislý).
    bool takesStem(const QString& word, const QString& stem, const QStringList& suffixFlags) const
    {
        if (m_language == Language::English)
            return inflects(suffixFlags);
        return !CzechEndings::isQualityOf(word, stem);
    }

    Language m_language;
    std::unique_ptr<HunspellDictionary> m_hunspell;
    QHash<QString, Candidates> m_memo;
};

BaseForms::BaseForms(QString hunspellDirectory) : m_directory(std::move(hunspellDirectory)) {}

// A dictionary still being read is waited for: its thread uses nothing of this object.
BaseForms::~BaseForms() = default;

BaseForms::Loading& BaseForms::loading(Language language) const
{
    return m_loading[language == Language::Czech ? 0 : 1];
}

void BaseForms::prepare(Language language)
{
    start(language);
}

BaseForms::Loading BaseForms::start(Language language) const
{
    const std::lock_guard lock(m_mutex);
    Loading& slot = loading(language);
    if (slot.valid())
        return slot;
    const QString name =
        language == Language::Czech ? QStringLiteral("cs_CZ") : QStringLiteral("en_US");
    const QString base = m_directory + name;
    slot = std::async(std::launch::async, [language, base]() -> std::shared_ptr<LanguageAnalyser> {
               QString whyNot;
               auto hunspell = HunspellDictionary::open(base + QStringLiteral(".aff"),
                                                        base + QStringLiteral(".dic"), &whyNot);
               if (!hunspell) {
                   qWarning("Tvary slov se nehledají, slovník Hunspell chybí: %s.",
                            qUtf8Printable(whyNot));
                   return nullptr;
               }
               return std::make_shared<LanguageAnalyser>(language, std::move(hunspell));
           }).share();
    return slot;
}

bool BaseForms::waitUntilReady(Language language)
{
    return start(language).get() != nullptr;
}

QStringList BaseForms::baseFormsOf(const QString& loweredWord, Language language,
                                   const IsHeadWord& isHeadWord) const
{
    // The first need starts the reading; this word goes without.
    const Loading slot = start(language);
    if (slot.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return {};
    const std::shared_ptr<LanguageAnalyser>& analyser = slot.get();
    return analyser ? analyser->baseFormsOf(loweredWord, isHeadWord) : QStringList();
}
