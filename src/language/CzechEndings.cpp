#include "language/CzechEndings.h"

#include "language/BaseFormList.h"
#include "language/CzechEndingRules.h"
#include "language/CzechStemVariants.h"
#include "language/IrregularForms.h"

#include <QStringList>
#include <QVarLengthArray>
#include <initializer_list>
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

const IrregularForms& irregular()
{
    static const IrregularForms table(IrregularTable);
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
    // The word itself, then a prefixed verb: each table form the word ends in after one or
    // two prefixes, the longest first.
    QVarLengthArray<std::pair<qsizetype, const QList<IrregularBase>*>, 8> endings;
    irregular().forEachEnding(word, [&](qsizetype length, const QList<IrregularBase>& bases) {
        if (length == word.size() || length >= MinimumPrefixedForm)
            endings.append({length, &bases});
    });
    for (auto ending = endings.crbegin(); ending != endings.crend(); ++ending) {
        const auto& [length, bases] = *ending;
        if (length == word.size()) {
            for (const IrregularBase& base : *bases)
                out.add(base.base, cost);
            continue;
        }
        const QStringView prefix = word.first(word.size() - length);
        if (!isPrefixChain(prefix))
            continue;
        for (const IrregularBase& base : *bases) {
            if (base.prefixes == IrregularBase::Alone)
                continue;
            Spelling prefixed;
            prefixed.append(prefix);
            if (base.prefixes == IrregularBase::Prefixed)
                prefixed.append(base.base);
            else
                appendShortened(prefixed, base.base);
            out.add(prefixed.view(), cost + PrefixedCost);
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
            if (form.isEmpty()) {
                m_noEnding.push_back(i);
                continue;
            }
            const char16_t before = form.size() == 1 ? OneLetter : form[form.size() - 2].unicode();
            const char16_t last = form.back().unicode();
            if (last >= m_byLast.size())
                m_byLast.resize(last + 1u);
            std::vector<Group>& groups = m_byLast[last];
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [&](const Group& g) { return g.before == before; });
            if (group == groups.end())
                group = groups.insert(groups.end(), Group{before, {}});
            group->rules.push_back(i);
        }
    }
    // Calls fits(rule) for each rule whose ending the word ends in, in the table's order.
    template <typename Fits> void forEachFitting(QStringView word, Fits fits) const
    {
        QVarLengthArray<std::size_t, 32> fitting(m_noEnding.cbegin(), m_noEnding.cend());
        const char16_t last = word.isEmpty() ? 0 : word.back().unicode();
        if (last < m_byLast.size()) {
            const char16_t before = word.size() < 2 ? OneLetter : word[word.size() - 2].unicode();
            for (const Group& group : m_byLast[last]) {
                if (group.before != OneLetter && group.before != before)
                    continue;
                for (const std::size_t i : group.rules) {
                    if (endsWith(word, m_rules[i].form))
                        fitting.append(i);
                }
            }
            std::sort(fitting.begin(), fitting.end());
        }
        for (const std::size_t i : fitting)
            fits(m_rules[i]);
    }

  private:
    static bool endsWith(QStringView word, QStringView ending)
    {
        return ending.size() <= word.size() &&
               std::equal(ending.begin(), ending.end(), word.end() - ending.size());
    }

    static constexpr char16_t OneLetter = 0xffff;
    // The rules whose ending has `before` before its last letter (OneLetter: none).
    struct Group {
        char16_t before;
        std::vector<std::size_t> rules;
    };

    std::span<const Rule> m_rules;
    std::vector<std::vector<Group>> m_byLast; // by the ending's last letter
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
            base.append(stem);
            base.append(rule.base);
            add(base.view(), cost + rule.cost + extraCost);
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
    applyRules(form, declined, 0, None,
               [&](QStringView base, int) { undeclined.append(Spelling(base)); });
    for (const Spelling& comparative : undeclined)
        addOf(comparative.view());
}

} // namespace

BaseFormGuesses guessesOf(const QString& word, Stems stems)
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
    const auto further = [&](QStringView guess, int cost) {
        if (cost > 0) {
            if (const QList<IrregularBase>* bases = irregular().find(guess)) {
                for (const IrregularBase& base : *bases)
                    out.add(base.base, cost + 1);
            }
        }
        applyRules(guess, fromVerbs(), cost, allowed, out);
        if (cost > 0 && guess.endsWith(u'í'))
            addComparative(guess, cost, allowed, out);
    };
    const auto guesses = out.order();
    further(word, 0);
    for (const qsizetype place : guesses) {
        const Spelling guess(out.word(place)); // a copy: `out` grows meanwhile
        further(guess.view(), out.cost(place));
    }

    for (QStringView particle : Particles) {
        // Before "to" the pronoun ends in a vowel: takové-to, not mís-to.
        if (word.size() > particle.size() + 3 && word.endsWith(particle) &&
            (particle != u"to" || isVowel(word[word.size() - particle.size() - 1]))) {
            const QString declined = word.chopped(particle.size());
            const BaseFormGuesses bases = guessesOf(declined, stems);
            for (qsizetype i = 0; i < bases.size(); ++i) {
                if (bases.word(i).endsWith(u'ý') || bases.word(i).endsWith(u'í'))
                    out.add(bases.word(i).toString().append(particle), bases.cost(i) + 1);
            }
        }
    }
    return std::move(out).guesses();
}

bool isQualityOf(const QString& loweredWord, const QString& adjective)
{
    return (adjective.endsWith(u'ý') || adjective.endsWith(u'í')) &&
           loweredWord.startsWith(adjective.chopped(1) + QStringLiteral("ost"));
}

} // namespace CzechEndings
