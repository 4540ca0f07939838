#pragma once

#include <QStringView>
#include <span>

// The Czech ending analyser's tables: the endings it takes off and puts back, and the forms
// that follow no ending.
namespace CzechEndings
{

// Changes of the stem that an ending may come with; a rule names those it allows.
enum Change : unsigned {
    None = 0,
    FleetingE = 1u << 0,  // the base form has an e between the last two consonants: ps -> pes
    LongO = 1u << 1,      // the base form has ů where the form has o: dom -> dům
    Hard = 1u << 2,       // a consonant softened before the ending: ruc -> ruk, češ -> čech
    Soft = 1u << 3,       // the base form ends in ť, ď, ň: pamět -> paměť, kon -> koň
    DropE = 1u << 4,      // the form has an e the base form has not: sester -> sestr
    Lengthen = 1u << 5,   // the base form's last vowel is long: let -> lét, nes -> nés
    Participle = 1u << 6, // the passive participle's consonant: zaplac -> zaplat
    VerbStem = 1u << 7,   // a present stem before the infinitive's t: ved -> ves, peč -> pec
};

struct Rule {
    QStringView form; // the ending taken off
    QStringView base; // the ending put back
    int cost;
    unsigned changes = None;
};

// The cost of each change of the stem, added to the rule's.
constexpr int ChangeCost = 2;
constexpr int HardCost = 1;

// Inflection endings of nouns, adjectives, adverbs and verbs.
extern const std::span<const Rule> Rules;
// Comparatives and comparative adverbs to their adjectives.
extern const std::span<const Rule> Comparatives;
// Participle adjectives and verbal nouns to their verbs.
extern const std::span<const Rule> FromVerbs;
// Pronouns that decline before a particle: jakýkoliv (jakémkoliv), takovýto (takovéto).
extern const std::span<const QStringView> Particles;
// Forms that follow no ending rule, in the format of IrregularForms.h.
extern const char16_t* const IrregularTable;

} // namespace CzechEndings
