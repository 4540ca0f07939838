#include "language/CzechEndings.h"

#include "language/BaseFormList.h"
#include "language/CzechEndingRules.h"
#include "language/IrregularForms.h"

#include <QHash>
#include <QStringList>
#include <initializer_list>

namespace CzechEndings
{

namespace
{

bool isVowel(QChar c)
{
    static const QString vowels = QStringLiteral("aáeéěiíoóuúůyý");
    return vowels.contains(c);
}

bool endsInTwoConsonants(const QString& stem)
{
    if (stem.size() < 2 || stem.endsWith(QLatin1String("ch")))
        return false;
    return !isVowel(stem[stem.size() - 1]) && !isVowel(stem[stem.size() - 2]);
}

qsizetype lastVowel(const QString& stem)
{
    for (qsizetype i = stem.size() - 1; i >= 0; --i) {
        if (isVowel(stem[i]))
            return i;
    }
    return -1;
}

QString replaceEnd(const QString& stem, qsizetype count, QStringView by)
{
    return stem.left(stem.size() - count) + by.toString();
}

struct Variant {
    QString stem;
    int cost;
};

// The stem as the form has it, and as the base form may have it.
QList<Variant> stemVariants(const QString& stem, unsigned changes)
{
    QList<Variant> variants{{stem, 0}};
    const auto each = [&variants](int cost, auto change) {
        const qsizetype count = variants.size();
        for (qsizetype i = 0; i < count; ++i) {
            for (const QString& changed : change(variants[i].stem))
                variants.append({changed, variants[i].cost + cost});
        }
    };
    if (changes & Hard) {
        each(HardCost, [](const QString& s) {
            QStringList out;
            static const std::initializer_list<std::pair<QStringView, QStringView>> pairs = {
                {u"čt", u"ck"}, {u"št", u"sk"}, {u"c", u"k"}, {u"z", u"h"},
                {u"z", u"g"},   {u"š", u"ch"},  {u"ř", u"r"}};
            for (const auto& [soft, hard] : pairs) {
                if (s.endsWith(soft))
                    out.append(replaceEnd(s, soft.size(), hard));
            }
            return out;
        });
    }
    if (changes & Participle) {
        each(HardCost, [](const QString& s) {
            QStringList out;
            static const std::initializer_list<std::pair<QStringView, QStringView>> pairs = {
                {u"št", u"st"}, {u"žď", u"zd"}, {u"c", u"t"},
                {u"z", u"d"},   {u"š", u"s"},   {u"ž", u"z"}};
            for (const auto& [changed, plain] : pairs) {
                if (s.endsWith(changed))
                    out.append(replaceEnd(s, changed.size(), plain));
            }
            return out;
        });
    }
    if (changes & DropE) {
        each(0, [](const QString& s) {
            const qsizetype n = s.size();
            if (n >= 4 && (s[n - 2] == u'e' || s[n - 2] == u'ě') && !isVowel(s[n - 1]) &&
                !isVowel(s[n - 3]))
                return QStringList{s.left(n - 2) + s[n - 1]};
            return QStringList{};
        });
    }
    if (changes & FleetingE) {
        each(ChangeCost, [](const QString& s) {
            if (s.size() >= 2 && endsInTwoConsonants(s))
                return QStringList{s.left(s.size() - 1) + u'e' + s.back()};
            return QStringList{};
        });
    }
    if (changes & LongO) {
        each(ChangeCost, [](const QString& s) {
            const qsizetype v = lastVowel(s);
            if (v > 0 && s[v] == u'o') {
                QString changed = s;
                changed[v] = u'ů';
                return QStringList{changed};
            }
            return QStringList{};
        });
    }
    if (changes & Lengthen) {
        each(ChangeCost, [](const QString& s) {
            static const QString shortVowels = QStringLiteral("aeiyoě");
            static const QString longVowels = QStringLiteral("áéíýůí");
            const qsizetype v = lastVowel(s);
            const qsizetype k = v < 0 ? -1 : shortVowels.indexOf(s[v]);
            if (k < 0)
                return QStringList{};
            QString changed = s;
            changed[v] = longVowels[k];
            return QStringList{changed};
        });
    }
    if (changes & VerbStem) {
        // nes-t, ves-t (ved-e), jet (jed-e), pec-t (peč-e, pek-l), vez-t
        each(0, [](const QString& s) {
            if (s.endsWith(u'd') || s.endsWith(u't'))
                return QStringList{s.left(s.size() - 1) + u's', s.left(s.size() - 1)};
            if (s.endsWith(u'č') || s.endsWith(u'k'))
                return QStringList{s.left(s.size() - 1) + u'c'};
            return QStringList{};
        });
    }
    if (changes & Soft) {
        each(ChangeCost, [](const QString& s) {
            static const QString plain = QStringLiteral("tdn");
            static const QString soft = QStringLiteral("ťďň");
            const qsizetype k = s.isEmpty() ? -1 : plain.indexOf(s.back());
            if (k < 0)
                return QStringList{};
            return QStringList{s.left(s.size() - 1) + soft[k]};
        });
    }
    return variants;
}

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

const IrregularForms& irregularForms()
{
    static const IrregularForms table = parseIrregularForms(IrregularTable);
    return table;
}

// The base form with its first long vowel made short, as many prefixed verbs have it:
// brát -> vybrat, psát -> napsat, dát -> zadat.
QString shortened(const QString& base)
{
    static const QString longVowels = QStringLiteral("áéíý");
    static const QString shortVowels = QStringLiteral("aeiy");
    QString out = base;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const qsizetype k = longVowels.indexOf(out[i]);
        if (k >= 0) {
            out[i] = shortVowels[k];
            return out;
        }
    }
    return out;
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

void addIrregular(const QString& word, int cost, BaseFormList& out)
{
    const auto& table = irregularForms();
    for (const IrregularBase& base : table.value(word))
        out.add(base.base, cost);
    // A prefixed verb: the longest table form the word ends in, after one or two prefixes.
    for (qsizetype split = 1; split + MinimumPrefixedForm <= word.size(); ++split) {
        const QString form = word.mid(split);
        const auto it = table.constFind(form);
        if (it == table.cend() || !isPrefixChain(QStringView(word).left(split)))
            continue;
        const QString prefix = word.left(split);
        for (const IrregularBase& base : *it) {
            if (base.prefixes == IrregularBase::Prefixed)
                out.add(prefix + base.base, cost + PrefixedCost);
            if (base.prefixes == IrregularBase::PrefixedShort)
                out.add(prefix + shortened(base.base), cost + PrefixedCost);
        }
    }
}

constexpr int MinimumStem = 2;

// Every change of the stem.
constexpr unsigned AnyChange = ~0u;

void applyRules(const QString& word, const Rule* begin, const Rule* end, int extraCost,
                unsigned allowedChanges, BaseFormList& out, QStringList* produced = nullptr)
{
    if (word.isEmpty())
        return;
    for (const Rule* rule = begin; rule != end; ++rule) {
        // The last letters first: most rules end otherwise, and this test is cheap.
        if (!rule->form.isEmpty() && rule->form.back() != word.back())
            continue;
        if (!word.endsWith(rule->form))
            continue;
        const qsizetype stemSize = word.size() - rule->form.size();
        if (stemSize < MinimumStem || (rule->form.isEmpty() && stemSize < 3))
            continue;
        const auto add = [&](QStringView stem, int cost) {
            QString base;
            base.reserve(stem.size() + rule->base.size());
            base.append(stem).append(rule->base);
            out.add(base, cost + rule->cost + extraCost);
            if (produced)
                produced->append(base);
        };
        // Most rules allow no change of the stem: the stem is then the word's own.
        const unsigned changes = rule->changes & allowedChanges;
        if (changes == None) {
            add(QStringView(word).first(stemSize), 0);
            continue;
        }
        for (const Variant& variant : stemVariants(word.left(stemSize), changes))
            add(variant.stem, variant.cost);
    }
}

void applyRules(const QString& word, std::span<const Rule> rules, int extraCost,
                unsigned allowedChanges, BaseFormList& out, QStringList* produced = nullptr)
{
    applyRules(word, rules.data(), rules.data() + rules.size(), extraCost, allowedChanges, out,
               produced);
}

// The adjective of a comparative or superlative form (declined or not), or of a comparative
// adverb.
void addComparative(const QString& form, int extraCost, unsigned allowedChanges, BaseFormList& out)
{
    QStringList forms{form};
    // Declined comparatives: novějšího -> novější.
    static const Rule soft[] = {{u"ího", u"í", 0},
                                {u"ímu", u"í", 0},
                                {u"ím", u"í", 0},
                                {u"ích", u"í", 0},
                                {u"ími", u"í", 0}};
    BaseFormList declined(form);
    applyRules(form, std::span<const Rule>(soft), 0, None, declined, &forms);
    for (const QString& comparative : forms) {
        for (const IrregularBase& base : irregularForms().value(comparative))
            out.add(base.base, extraCost);
        applyRules(comparative, Comparatives, extraCost, allowedChanges, out);
    }
}

} // namespace

QList<BaseForm> baseFormsOf(const QString& word, Stems stems)
{
    const unsigned allowed = stems == ChangedStems ? AnyChange : None;
    BaseFormList out(word);
    addIrregular(word, 0, out);

    applyRules(word, Rules, 0, allowed, out);
    addComparative(word, 0, allowed, out);
    constexpr QStringView Superlative = u"nej";
    if (word.startsWith(Superlative) && word.size() > Superlative.size() + 3)
        addComparative(word.mid(Superlative.size()), 1, allowed, out);

    // What the word or a first guess may still be: a table form (byla -> byl), a comparative
    // (lepšího -> lepší), a participle or a noun made from a verb (nainstalovaného ->
    // nainstalovaný -> nainstalovat).
    QList<BaseForm> guesses = out.sorted();
    guesses.prepend({word, 0});
    for (const BaseForm& guess : std::as_const(guesses)) {
        if (guess.cost > 0) {
            for (const IrregularBase& base : irregularForms().value(guess.word))
                out.add(base.base, guess.cost + 1);
        }
        applyRules(guess.word, FromVerbs, guess.cost, allowed, out);
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
