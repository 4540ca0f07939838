#include "language/EnglishForms.h"

#include "language/BaseFormList.h"
#include "language/IrregularForms.h"

#include <QHash>
#include <QStringList>

namespace EnglishForms
{

namespace
{

// Forms that follow no ending rule (the format: IrregularForms.h).
const char16_t* const Irregular = uR"(
be: am is are was were been being
have: has had having
do: does did done doing
+go: goes went gone
+arise: arose arisen
+awake: awoke awoken
+bear: bore borne born
+beat: beaten
+become: became
+begin: began begun
+bend: bent
+bid: bade bidden
+bind: bound
+bite: bit bitten
+bleed: bled
+blow: blew blown
+break: broke broken
+breed: bred
+bring: brought
+build: built
+burn: burnt
+buy: bought
+catch: caught
+choose: chose chosen
+cling: clung
+come: came
+creep: crept
+deal: dealt
+dig: dug
+draw: drew drawn
+dream: dreamt
+drink: drank drunk
+drive: drove driven
+dwell: dwelt
+eat: ate eaten
+fall: fell fallen
+feed: fed
+feel: felt
+fight: fought
+find: found
+flee: fled
+fling: flung
+fly: flew flown
+forbid: forbade forbidden
+forget: forgot forgotten
+forgive: forgave forgiven
+freeze: froze frozen
+get: got gotten
+give: gave given
+grind: ground
+grow: grew grown
+hang: hung
+hear: heard
+hide: hid hidden
+hold: held
+keep: kept
+kneel: knelt
+know: knew known
+lay: laid
+lead: led
+lean: leant
+leap: leapt
+learn: learnt
+leave: left
+lend: lent
+lie: lay lain lying
+light: lit
+lose: lost
+make: made
+mean: meant
+meet: met
+pay: paid
+ride: rode ridden
+ring: rang rung
+rise: rose risen
+run: ran
+say: said
+see: saw seen
+seek: sought
+sell: sold
+send: sent
+sew: sewn
+shake: shook shaken
+shine: shone
+shoot: shot
+show: shown
+shrink: shrank shrunk
+sing: sang sung
+sink: sank sunk
+sit: sat
+slay: slew slain
+sleep: slept
+slide: slid
+sling: slung
+smell: smelt
+speak: spoke spoken
+speed: sped
+spell: spelt
+spend: spent
+spill: spilt
+spin: spun
+spit: spat
+spoil: spoilt
+spring: sprang sprung
+stand: stood
+steal: stole stolen
+stick: stuck
+sting: stung
+stink: stank stunk
+stride: strode stridden
+strike: struck stricken
+string: strung
+strive: strove striven
+swear: swore sworn
+sweep: swept
+swell: swollen
+swim: swam swum
+swing: swung
+take: took taken
+teach: taught
+tear: tore torn
+tell: told
+think: thought
+throw: threw thrown
+tread: trod trodden
+wake: woke woken
+wear: wore worn
+weave: wove woven
+weep: wept
+win: won
+wind: wound
+withdraw: withdrew withdrawn
+wring: wrung
+write: wrote written
can: could
may: might
shall: should
will: would
child: children
man: men
woman: women
person: people
foot: feet
tooth: teeth
goose: geese
mouse: mice
louse: lice
ox: oxen
criterion: criteria
phenomenon: phenomena
good: better best
well: better best
bad: worse worst
badly: worse worst
much: more most
many: more most
little: less least
far: further furthest farther farthest
old: elder eldest
i: me
he: him
she: her
we: us
they: them
)";

// The prefixes of irregular verbs, as they come before the verb.
const QStringList& verbPrefixes()
{
    static const QStringList prefixes =
        QStringLiteral("under over mis re with for fore out up be un").split(QLatin1Char(' '));
    return prefixes;
}

const IrregularForms& irregularForms()
{
    static const IrregularForms table(Irregular);
    return table;
}

struct Rule {
    QStringView form;
    QStringView base;
    int cost;
    bool undouble = false; // stopped -> stop: the form doubles the stem's last consonant
};

// clang-format off
const Rule Rules[] = {
    {u"ies", u"y", 2}, {u"es", u"", 3}, {u"s", u"", 3}, {u"ves", u"f", 3}, {u"ves", u"fe", 3},
    {u"men", u"man", 3}, {u"ses", u"sis", 4}, {u"ices", u"ex", 5}, {u"ices", u"ix", 5},
    {u"ied", u"y", 2}, {u"ed", u"", 3, true}, {u"ed", u"e", 3},
    {u"ying", u"ie", 3}, {u"ing", u"", 3, true}, {u"ing", u"e", 3},
    // Comparatives only in -ier: "-er" alone makes far more nouns of doers (reader, spammer).
    {u"ier", u"y", 4},
    {u"iest", u"y", 4}, {u"est", u"", 5, true}, {u"est", u"e", 5},
    {u"ily", u"y", 5}, {u"ically", u"ic", 5}, {u"bly", u"ble", 5}, {u"ply", u"ple", 5},
    {u"ly", u"", 6}, {u"ly", u"le", 6},
};
// clang-format on

constexpr int MinimumStem = 3;
constexpr int PrefixedCost = 1;
constexpr int MinimumPrefixedForm = 3;

bool isVowel(QChar c)
{
    return QStringView(u"aeiouy").contains(c);
}

// "-es" only after a hissing sound or o: boxes, watches, goes; "-s" alone otherwise.
bool takesEs(const QString& stem)
{
    return stem.endsWith(u's') || stem.endsWith(u'x') || stem.endsWith(u'z') ||
           stem.endsWith(QLatin1String("ch")) || stem.endsWith(QLatin1String("sh")) ||
           stem.endsWith(u'o');
}

// A consonant after a single vowel after a consonant: hop, plan (not w, x or y: show, fix, play).
bool endsInShortSyllable(const QString& stem)
{
    const qsizetype n = stem.size();
    if (n < 3)
        return false;
    const QChar last = stem[n - 1];
    return !isVowel(last) && !QStringView(u"wxy").contains(last) && isVowel(stem[n - 2]) &&
           !isVowel(stem[n - 3]);
}

void addIrregular(const QString& word, BaseFormList& out)
{
    const auto& table = irregularForms();
    if (const QList<IrregularBase>* bases = table.find(word)) {
        for (const IrregularBase& base : *bases)
            out.add(base.base, 0);
    }
    for (const QString& prefix : verbPrefixes()) {
        if (!word.startsWith(prefix) || word.size() - prefix.size() < MinimumPrefixedForm)
            continue;
        const QList<IrregularBase>* bases = table.find(QStringView(word).sliced(prefix.size()));
        if (!bases)
            continue;
        for (const IrregularBase& base : *bases) {
            if (base.prefixes != IrregularBase::Alone)
                out.add(prefix + base.base, PrefixedCost);
        }
    }
}

} // namespace

BaseFormGuesses guessesOf(const QString& word)
{
    BaseFormList out(word);
    addIrregular(word, out);
    for (const Rule& rule : Rules) {
        if (!word.endsWith(rule.form))
            continue;
        const QString stem = word.left(word.size() - rule.form.size());
        if (stem.size() < MinimumStem)
            continue;
        if (rule.form == u"es" && !takesEs(stem))
            continue;
        if (rule.form == u"s" && (stem.endsWith(u's') || stem.endsWith(u'u')))
            continue;
        // After a short vowel and one consonant the stem wants its e back (hoping: hope,
        // where hop would be hopping).
        const bool wantsE = (rule.form == u"ed" || rule.form == u"ing") && rule.base.isEmpty() &&
                            endsInShortSyllable(stem);
        out.add(stem + rule.base.toString(), rule.cost + (wantsE ? 1 : 0));
        const qsizetype n = stem.size();
        if (rule.undouble && n >= 3 && stem[n - 1] == stem[n - 2] && !isVowel(stem[n - 1]))
            out.add(stem.left(n - 1), rule.cost);
    }
    return std::move(out).guesses();
}

} // namespace EnglishForms
