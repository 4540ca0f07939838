#include "language/CzechEndings.h"

#include "language/BaseFormList.h"
#include "language/CzechEndingRules.h"
#include "language/CzechStemVariants.h"
#include "language/IrregularForms.h"

#include <QStringList>
#include <QVarLengthArray>
#include <initializer_list>
#include <unordered_map>
#include <vector>

namespace CzechEndings
{

namespace
{

// The prefixes of Czech verbs, as they come before the verb.
const QStringList& verbPrefixes()
{
    static const QStringList prefixes =
        QStringLiteral(
            "do na nad nade o ob obe od ode ote po pod pode pro pře před přede při roz roze s se "
            "u v ve vy vz vze z ze za zů")
            .split(QLatin1Char(' '));
    return prefixes;
}

struct ViewHash {
    std::size_t operator()(QStringView text) const { return qHash(text); }
};

// The irregular table, looked up by a piece of a word without copying it out.
class Irregular
{
  public:
    Irregular() : m_forms(parseIrregularForms(IrregularTable))
    {
        for (auto it = m_forms.cbegin(); it != m_forms.cend(); ++it)
            m_byForm.emplace(QStringView(it.key()), &it.value());
    }
    const QList<IrregularBase>* find(QStringView form) const
    {
        const auto it = m_byForm.find(form);
        return it == m_byForm.end() ? nullptr : it->second;
    }

  private:
    const IrregularForms m_forms; // never changed: the views below stay valid
    std::unordered_map<QStringView, const QList<IrregularBase>*, ViewHash> m_byForm;
};

const Irregular& irregular()
{
    static const Irregular table;
    return table;
}

// The base form with its first long vowel made short, as many prefixed verbs have it:
// brát -> vybrat, psát -> napsat, dát -> zadat.
void appendShortened(Spelling& to, QStringView base)
{
    static constexpr QStringView longVowels = u"áéíý";
    static constexpr QStringView shortVowels = u"aeiy";
    bool shortened = false;
    for (const QChar c : base) {
        const qsizetype k = shortened ? -1 : longVowels.indexOf(c);
        to.append(k < 0 ? c : shortVowels[k]);
        shortened = shortened || k >= 0;
    }
}

bool isPrefixChain(QStringView text, int depth = 0)
{
    if (text.isEmpty())
        return depth > 0;
    if (depth == 2)
        return false;
    for (const QString& prefix : verbPrefixes()) {
        if (text.startsWith(prefix) && isPrefixChain(text.mid(prefix.size()), depth + 1))
            return true;
    }
    return false;
}

constexpr int PrefixedCost = 1;
constexpr int MinimumPrefixedForm = 3;

void addIrregular(QStringView word, int cost, BaseFormList& out)
{
    if (const QList<IrregularBase>* bases = irregular().find(word)) {
        for (const IrregularBase& base : *bases)
            out.add(base.base, cost);
    }
    // A prefixed verb: the longest table form the word ends in, after one or two prefixes.
    for (qsizetype split = 1; split + MinimumPrefixedForm <= word.size(); ++split) {
        const QList<IrregularBase>* bases = irregular().find(word.sliced(split));
        const QStringView prefix = word.first(split);
        if (!bases || !isPrefixChain(prefix))
            continue;
        for (const IrregularBase& base : *bases) {
            if (base.prefixes == IrregularBase::Alone)
                continue;
            Spelling prefixed;
            append(prefixed, prefix);
            if (base.prefixes == IrregularBase::Prefixed)
                append(prefixed, base.base);
            else
                appendShortened(prefixed, base.base);
            out.add(viewOf(prefixed), cost + PrefixedCost);
        }
    }
}

constexpr int MinimumStem = 2;

// Every change of the stem.
constexpr unsigned AnyChange = ~0u;

// The rules of a table by the last two letters of the ending they take off (the last one
// for a one-letter ending): those that may fit a word are found by its own last letters, not
// by trying every rule.
class RuleIndex
{
  public:
    explicit RuleIndex(std::span<const Rule> rules) : m_rules(rules)
    {
        for (std::size_t i = 0; i < rules.size(); ++i) {
            const QStringView form = rules[i].form;
            if (form.isEmpty())
                m_noEnding.push_back(i);
            else
                m_byLast[key(form)].push_back(i);
        }
    }
    // Calls fits(rule) for each rule whose ending the word ends in, in the table's order.
    template <typename Fits> void forEachFitting(QStringView word, Fits fits) const
    {
        QVarLengthArray<std::size_t, 32> fitting(m_noEnding.cbegin(), m_noEnding.cend());
        for (qsizetype length = 1; length <= std::min<qsizetype>(2, word.size()); ++length) {
            const auto it = m_byLast.find(key(word.last(length)));
            if (it == m_byLast.end())
                continue;
            for (const std::size_t i : it->second) {
                if (endsWith(word, m_rules[i].form))
                    fitting.append(i);
            }
        }
        std::sort(fitting.begin(), fitting.end());
        for (const std::size_t i : fitting)
            fits(m_rules[i]);
    }

  private:
    // The last two letters of an ending, or its only one.
    static quint32 key(QStringView ending)
    {
        const quint32 last = ending.back().unicode();
        return ending.size() == 1 ? 0xffff0000u | last
                                  : (quint32(ending[ending.size() - 2].unicode()) << 16) | last;
    }
    static bool endsWith(QStringView word, QStringView ending)
    {
        if (ending.size() > word.size())
            return false;
        const QChar* from = word.data() + (word.size() - ending.size());
        return std::equal(ending.begin(), ending.end(), from);
    }

    std::span<const Rule> m_rules;
    std::unordered_map<quint32, std::vector<std::size_t>> m_byLast;
    std::vector<std::size_t> m_noEnding;
};

// Calls add(base, cost) for each base form the rules give the word.
template <typename Add>
void applyRules(QStringView word, const RuleIndex& rules, int extraCost, unsigned allowedChanges,
                Add add)
{
    rules.forEachFitting(word, [&](const Rule& rule) {
        const qsizetype stemSize = word.size() - rule.form.size();
        if (stemSize < MinimumStem || (rule.form.isEmpty() && stemSize < 3))
            return;
        const auto withBase = [&](QStringView stem, int cost) {
            Spelling base;
            append(base, stem);
            append(base, rule.base);
            add(viewOf(base), cost + rule.cost + extraCost);
        };
        // Most rules allow no change of the stem: the stem is then the word's own.
        const unsigned changes = rule.changes & allowedChanges;
        if (changes == None) {
            withBase(word.first(stemSize), 0);
            return;
        }
        const StemVariants variants(word.first(stemSize), changes);
        for (qsizetype i = 0; i < variants.size(); ++i)
            withBase(variants[i], variants.cost(i));
    });
}

void applyRules(QStringView word, const RuleIndex& rules, int extraCost, unsigned allowedChanges,
                BaseFormList& out)
{
    applyRules(word, rules, extraCost, allowedChanges,
               [&out](QStringView base, int cost) { out.add(base, cost); });
}

const RuleIndex& inflections()
{
    static const RuleIndex index(Rules);
    return index;
}

const RuleIndex& comparatives()
{
    static const RuleIndex index(Comparatives);
    return index;
}

const RuleIndex& fromVerbs()
{
    static const RuleIndex index(FromVerbs);
    return index;
}

// The adjective of a comparative or superlative form (declined or not), or of a comparative
// adverb.
void addComparative(QStringView form, int extraCost, unsigned allowedChanges, BaseFormList& out)
{
    const auto addOf = [&](QStringView comparative) {
        if (const QList<IrregularBase>* bases = irregular().find(comparative)) {
            for (const IrregularBase& base : *bases)
                out.add(base.base, extraCost);
        }
        applyRules(comparative, comparatives(), extraCost, allowedChanges, out);
    };
    addOf(form);
    // Declined comparatives: novějšího -> novější.
    static const Rule soft[] = {{u"ího", u"í", 0},
                                {u"ímu", u"í", 0},
                                {u"ím", u"í", 0},
                                {u"ích", u"í", 0},
                                {u"ími", u"í", 0}};
    static const RuleIndex declined{std::span<const Rule>(soft)};
    QVarLengthArray<Spelling, 2> undeclined;
    applyRules(form, declined, 0, None, [&](QStringView base, int) {
        undeclined.append(Spelling(base.begin(), base.end()));
    });
    for (const Spelling& comparative : undeclined)
        addOf(viewOf(comparative));
}

} // namespace

QList<BaseForm> baseFormsOf(const QString& word, Stems stems)
{
    const unsigned allowed = stems == ChangedStems ? AnyChange : None;
    BaseFormList out(word);
    addIrregular(word, 0, out);

    applyRules(word, inflections(), 0, allowed, out);
    addComparative(word, 0, allowed, out);
    constexpr QStringView Superlative = u"nej";
    if (word.startsWith(Superlative) && word.size() > Superlative.size() + 3)
        addComparative(QStringView(word).sliced(Superlative.size()), 1, allowed, out);

    // What the word or a first guess may still be: a table form (byla -> byl), a comparative
    // (lepšího -> lepší), a participle or a noun made from a verb (nainstalovaného ->
    // nainstalovaný -> nainstalovat).
    QList<BaseForm> guesses = out.sorted();
    guesses.prepend({word, 0});
    for (const BaseForm& guess : std::as_const(guesses)) {
        if (guess.cost > 0) {
            if (const QList<IrregularBase>* bases = irregular().find(guess.word)) {
                for (const IrregularBase& base : *bases)
                    out.add(base.base, guess.cost + 1);
            }
        }
        applyRules(guess.word, fromVerbs(), guess.cost, allowed, out);
        if (guess.cost > 0 && guess.word.endsWith(u'í'))
            addComparative(guess.word, guess.cost, allowed, out);
    }

    for (QStringView particle : Particles) {
        // Before "to" the pronoun ends in a vowel: takové-to, not mís-to.
        if (word.size() > particle.size() + 3 && word.endsWith(particle) &&
            (particle != u"to" || isVowel(word[word.size() - particle.size() - 1]))) {
            const QString declined = word.chopped(particle.size());
            for (const BaseForm& base : baseFormsOf(declined, stems)) {
                if (base.word.endsWith(u'ý') || base.word.endsWith(u'í'))
                    out.add(base.word + particle.toString(), base.cost + 1);
            }
        }
    }
    return out.sorted();
}

bool isQualityOf(const QString& loweredWord, const QString& adjective)
{
    return (adjective.endsWith(u'ý') || adjective.endsWith(u'í')) &&
           loweredWord.startsWith(adjective.chopped(1) + QStringLiteral("ost"));
}

} // namespace CzechEndings
