#include "language/CzechEndings.h"

#include "language/BaseFormList.h"
#include "language/IrregularForms.h"

#include <QHash>
#include <QStringList>
#include <initializer_list>

namespace CzechEndings
{

namespace
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

// The endings. Costs: 2 for endings that say almost for certain what the base form is
// (-ého, -ovat's forms), up to 7 for bare one-letter endings that many forms share.
// clang-format off
const Rule Rules[] = {
    // Adjectives: mladý, jarní
    {u"ého", u"ý", 2}, {u"ému", u"ý", 2}, {u"ém", u"ý", 2}, {u"ým", u"ý", 2},
    {u"ými", u"ý", 2}, {u"ých", u"ý", 2}, {u"ýma", u"ý", 3}, {u"á", u"ý", 3},
    {u"é", u"ý", 3}, {u"ou", u"ý", 4}, {u"í", u"ý", 4, Hard},
    {u"ího", u"í", 2}, {u"ímu", u"í", 2}, {u"ím", u"í", 3}, {u"ích", u"í", 3},
    {u"ími", u"í", 2},

    // Masculine nouns: pán, hrad, muž, stroj; pes, dům, otec
    {u"a", u"", 3, FleetingE | LongO}, {u"u", u"", 3, FleetingE | LongO},
    {u"ovi", u"", 3, FleetingE | LongO}, {u"em", u"", 3, FleetingE | LongO | Soft},
    {u"e", u"", 4, FleetingE | LongO | Soft}, {u"i", u"", 4, FleetingE | LongO | Hard | Soft},
    {u"ové", u"", 3, FleetingE | Hard}, {u"ů", u"", 3, FleetingE | LongO},
    {u"ům", u"", 3, FleetingE | LongO}, {u"y", u"", 4, FleetingE | LongO},
    {u"ech", u"", 3, FleetingE | LongO}, {u"ích", u"", 4, FleetingE | LongO | Hard | Soft},
    {u"ě", u"", 4, FleetingE | LongO | Soft},
    // ... and feminine ones without an ending: kost, píseň, paměť
    {u"í", u"", 5, FleetingE | Soft}, {u"ím", u"", 5, FleetingE | Soft},
    {u"mi", u"", 5, FleetingE | Soft}, {u"emi", u"", 4, FleetingE | Soft},
    {u"ěmi", u"", 4, FleetingE | Soft},

    // Nouns in -a: žena, ruka, předseda
    {u"y", u"a", 3}, {u"ě", u"a", 3}, {u"e", u"a", 4, Hard}, {u"u", u"a", 3},
    {u"ou", u"a", 3}, {u"o", u"a", 6}, {u"ám", u"a", 3}, {u"ách", u"a", 3},
    {u"ami", u"a", 3}, {u"ovi", u"a", 4}, {u"ové", u"a", 4}, {u"ů", u"a", 4},
    {u"ům", u"a", 4}, {u"ech", u"a", 4}, {u"", u"a", 6, DropE | Lengthen},
    {u"ek", u"ka", 4},
    // Nouns in -e: práce, růže, soudce, moře
    {u"i", u"e", 3}, {u"í", u"e", 4}, {u"ím", u"e", 3}, {u"ích", u"e", 3},
    {u"emi", u"e", 3}, {u"em", u"e", 4}, {u"ovi", u"e", 4}, {u"ové", u"e", 4},
    {u"ů", u"e", 4}, {u"ům", u"e", 4}, {u"", u"e", 7, Lengthen},
    // ... and in -ě: země, letiště
    {u"i", u"ě", 3}, {u"í", u"ě", 4}, {u"ím", u"ě", 3}, {u"ích", u"ě", 3}, {u"ěmi", u"ě", 3},
    // Nouns in -o: město, okno, jablko
    {u"a", u"o", 3}, {u"u", u"o", 4}, {u"ě", u"o", 4}, {u"e", u"o", 5, Hard},
    {u"em", u"o", 3}, {u"ům", u"o", 3}, {u"ech", u"o", 3}, {u"y", u"o", 4},
    {u"", u"o", 6, DropE | Lengthen}, {u"ek", u"ko", 5},
    // Nouns in -í: nádraží, nastavení
    {u"ím", u"í", 3}, {u"ích", u"í", 3}, {u"ími", u"í", 3},
    // Nouns like kuře, dítě
    {u"ete", u"e", 4}, {u"ěte", u"ě", 4}, {u"eti", u"e", 4}, {u"ěti", u"ě", 4},
    {u"etem", u"e", 4}, {u"ětem", u"ě", 4}, {u"ata", u"e", 5}, {u"aty", u"e", 5},
    {u"atům", u"e", 5}, {u"atech", u"e", 5},

    // Verbs in -ovat: kupovat
    {u"uji", u"ovat", 2}, {u"uju", u"ovat", 2}, {u"uješ", u"ovat", 2}, {u"uje", u"ovat", 2},
    {u"ujeme", u"ovat", 2}, {u"ujete", u"ovat", 2}, {u"ují", u"ovat", 2},
    {u"ujou", u"ovat", 2}, {u"uj", u"ovat", 4}, {u"ujte", u"ovat", 2}, {u"ujme", u"ovat", 2},
    {u"oval", u"ovat", 2}, {u"ovala", u"ovat", 2}, {u"ovalo", u"ovat", 2},
    {u"ovali", u"ovat", 2}, {u"ovaly", u"ovat", 2}, {u"ován", u"ovat", 2},
    {u"ována", u"ovat", 2}, {u"ováno", u"ovat", 2}, {u"ováni", u"ovat", 2},
    {u"ovány", u"ovat", 2}, {u"ujíc", u"ovat", 3}, {u"ujíce", u"ovat", 3},
    // Verbs in -at: dělat
    {u"ám", u"at", 3}, {u"áš", u"at", 3}, {u"á", u"at", 5}, {u"áme", u"at", 3},
    {u"áte", u"at", 3}, {u"ají", u"at", 3}, {u"ej", u"at", 5}, {u"ejte", u"at", 3},
    {u"ejme", u"at", 3}, {u"al", u"at", 3}, {u"ala", u"at", 3}, {u"alo", u"at", 3},
    {u"ali", u"at", 3}, {u"aly", u"at", 3}, {u"án", u"at", 4}, {u"ána", u"at", 4},
    {u"áno", u"at", 4}, {u"áni", u"at", 4}, {u"ány", u"at", 4},
    // Verbs in -it, -et, -ět: prosit, sázet, vidět
    {u"ím", u"it", 4}, {u"íš", u"it", 4}, {u"í", u"it", 5}, {u"íme", u"it", 4},
    {u"íte", u"it", 4}, {u"il", u"it", 3}, {u"ila", u"it", 3}, {u"ilo", u"it", 3},
    {u"ili", u"it", 3}, {u"ily", u"it", 3},
    {u"ím", u"et", 4}, {u"íš", u"et", 4}, {u"í", u"et", 5}, {u"íme", u"et", 4},
    {u"íte", u"et", 4}, {u"ejí", u"et", 3}, {u"el", u"et", 3}, {u"ela", u"et", 3},
    {u"elo", u"et", 3}, {u"eli", u"et", 3}, {u"ely", u"et", 3},
    {u"ím", u"ět", 4}, {u"íš", u"ět", 4}, {u"í", u"ět", 5}, {u"íme", u"ět", 4},
    {u"íte", u"ět", 4}, {u"ějí", u"ět", 3}, {u"ěl", u"ět", 3}, {u"ěla", u"ět", 3},
    {u"ělo", u"ět", 3}, {u"ěli", u"ět", 3}, {u"ěly", u"ět", 3},
    {u"en", u"it", 4, Participle}, {u"ena", u"it", 4, Participle},
    {u"eno", u"it", 4, Participle}, {u"eni", u"it", 4, Participle},
    {u"eny", u"it", 4, Participle}, {u"en", u"et", 5}, {u"ena", u"et", 5},
    {u"ěn", u"it", 4, Participle}, {u"ěna", u"it", 4, Participle},
    {u"ěno", u"it", 4, Participle}, {u"ěni", u"it", 4, Participle},
    {u"ěny", u"it", 4, Participle}, {u"ěn", u"ět", 4}, {u"ěna", u"ět", 4}, {u"ěno", u"ět", 4},
    {u"ěni", u"ět", 4}, {u"ěny", u"ět", 4},
    {u"te", u"it", 5}, {u"ťte", u"tit", 4}, {u"ďte", u"dit", 4}, {u"ňte", u"nit", 4},
    // Verbs in -nout: tisknout, minout
    {u"nu", u"nout", 3}, {u"neš", u"nout", 3}, {u"ne", u"nout", 3}, {u"neme", u"nout", 3},
    {u"nete", u"nout", 3}, {u"nou", u"nout", 3}, {u"ni", u"nout", 4}, {u"něte", u"nout", 3},
    {u"nul", u"nout", 3}, {u"nula", u"nout", 3}, {u"nulo", u"nout", 3},
    {u"nuli", u"nout", 3}, {u"nuly", u"nout", 3}, {u"nut", u"nout", 3},
    {u"nuta", u"nout", 3}, {u"nuto", u"nout", 3}, {u"nuti", u"nout", 3},
    {u"nuty", u"nout", 3}, {u"kl", u"knout", 5}, {u"kla", u"knout", 5},
    {u"klo", u"knout", 5}, {u"kli", u"knout", 5}, {u"kly", u"knout", 5},
    // Verbs in -ít, -ýt, -át: pít, krýt, hrát
    {u"iji", u"ít", 3}, {u"iju", u"ít", 3}, {u"iješ", u"ít", 3}, {u"ije", u"ít", 3},
    {u"ijeme", u"ít", 3}, {u"ijete", u"ít", 3}, {u"ijí", u"ít", 3}, {u"ijou", u"ít", 3},
    {u"ij", u"ít", 4}, {u"ijte", u"ít", 3}, {u"it", u"ít", 4}, {u"ita", u"ít", 4},
    {u"ito", u"ít", 4}, {u"yji", u"ýt", 3}, {u"yju", u"ýt", 3}, {u"yješ", u"ýt", 3},
    {u"yje", u"ýt", 3}, {u"yjeme", u"ýt", 3}, {u"yjete", u"ýt", 3}, {u"yjí", u"ýt", 3},
    {u"yjou", u"ýt", 3}, {u"yj", u"ýt", 4}, {u"yjte", u"ýt", 3},
    {u"aji", u"át", 4}, {u"aju", u"át", 4}, {u"aješ", u"át", 4}, {u"aje", u"át", 4},
    {u"ajeme", u"át", 4}, {u"ajete", u"át", 4}, {u"ajou", u"át", 4}, {u"aj", u"át", 5},
    {u"ajte", u"át", 4}, {u"ál", u"át", 4}, {u"ála", u"át", 4}, {u"álo", u"át", 4},
    {u"áli", u"át", 4}, {u"ály", u"át", 4},
    // Verbs whose present stem ends in a consonant: nést, vést, péct; být, pít (byl, pil)
    {u"u", u"t", 6, Lengthen | VerbStem}, {u"eš", u"t", 5, Lengthen | VerbStem},
    {u"e", u"t", 6, Lengthen | VerbStem}, {u"eme", u"t", 5, Lengthen | VerbStem},
    {u"ete", u"t", 5, Lengthen | VerbStem}, {u"ou", u"t", 6, Lengthen | VerbStem},
    {u"l", u"t", 5, Lengthen | VerbStem}, {u"la", u"t", 5, Lengthen | VerbStem},
    {u"lo", u"t", 5, Lengthen | VerbStem}, {u"li", u"t", 5, Lengthen | VerbStem},
    {u"ly", u"t", 5, Lengthen | VerbStem},
    // ... and those that soften it: mazat (maže), česat (češe), plakat (pláče), poslat (pošle)
    {u"žu", u"zat", 4}, {u"žeš", u"zat", 4}, {u"že", u"zat", 4}, {u"žeme", u"zat", 4},
    {u"žete", u"zat", 4}, {u"žou", u"zat", 4}, {u"žte", u"zat", 4},
    {u"šu", u"sat", 4}, {u"šeš", u"sat", 4}, {u"še", u"sat", 4}, {u"šeme", u"sat", 4},
    {u"šete", u"sat", 4}, {u"šou", u"sat", 4}, {u"šte", u"sat", 4},
    {u"ču", u"kat", 5}, {u"češ", u"kat", 5}, {u"če", u"kat", 5}, {u"čou", u"kat", 5},
    {u"šlu", u"slat", 4}, {u"šleš", u"slat", 4}, {u"šle", u"slat", 4},
    {u"šleme", u"slat", 4}, {u"šlete", u"slat", 4}, {u"šlou", u"slat", 4},

    // Adverbs made from adjectives: rychle, automaticky, snadno, dobře
    {u"ně", u"ný", 5}, {u"ně", u"ní", 5}, {u"cky", u"cký", 4}, {u"sky", u"ský", 4},
    {u"le", u"lý", 5}, {u"ře", u"rý", 5}, {u"ce", u"ký", 6}, {u"ě", u"ý", 6},
    {u"o", u"ý", 7},
};
// clang-format on

// Comparatives to their adjectives: novější -> nový, mladší -> mladý, lehčí -> lehký; and
// the comparative adverbs: rychleji -> rychlý.
// clang-format off
const Rule Comparatives[] = {
    {u"ější", u"ý", 2}, {u"ejší", u"ý", 2}, {u"ější", u"í", 3}, {u"ejší", u"í", 3},
    {u"ší", u"ý", 3}, {u"čí", u"ký", 3}, {u"ěji", u"ý", 3}, {u"eji", u"ý", 3},
    {u"ěji", u"í", 4}, {u"eji", u"í", 4},
};
// clang-format on

// Adjectives made from participles, and nouns made from verbs, to their verbs:
// nainstalovaný -> nainstalovat, zaplacený -> zaplatit, zapnutý -> zapnout, deklarující ->
// deklarovat, ponechání -> ponechat.
// clang-format off
const Rule FromVerbs[] = {
    {u"ovaný", u"ovat", 2}, {u"aný", u"at", 3}, {u"ený", u"it", 3, Participle},
    {u"ěný", u"it", 3}, {u"ěný", u"ět", 3}, {u"nutý", u"nout", 2}, {u"itý", u"ít", 3},
    {u"ytý", u"ýt", 3}, {u"ující", u"ovat", 3},
    {u"ování", u"ovat", 3}, {u"ání", u"at", 4}, {u"ení", u"it", 4, Participle},
    {u"ění", u"it", 4}, {u"ění", u"ět", 4}, {u"nutí", u"nout", 3}, {u"ití", u"ít", 4},
};
// clang-format on

// Pronouns that decline before a particle: jakýkoliv (jakémkoliv), takovýto (takovéto).
const QStringView Particles[] = {u"koliv", u"koli", u"to"};

// Forms that follow no ending rule (the format: IrregularForms.h): the pronouns, numerals,
// suppletive nouns and comparisons, and the verbs whose forms change their stem.
const char16_t* const Irregular = uR"(
já: mě mne mi mně mnou
ty: tebe tě ti tobě tebou
on: jeho ho jej jemu mu něho němu něm ním jím něj
ona: její jí ji ní ni
my: nás nám námi
vy: vás vám vámi
oni: jich jim je nich nim nimi ně
se: sebe sobě sebou si
můj: mého mému mém mým mí má mé mou moje mojí moji mých mými
tvůj: tvého tvému tvém tvým tví tvá tvé tvou tvoje tvojí tvoji tvých tvými
svůj: svého svému svém svým sví svá své svou svoje svojí svoji svých svými
náš: našeho našemu našem naším naši naše naší našich našim našimi
váš: vašeho vašemu vašem vaším vaši vaše vaší vašich vašim vašimi
ten: toho tomu tom tím ta té tu tou to ti ty těch těm těmi
tento: tohoto tomuto tomto tímto tato této tuto touto toto tito tyto těchto těmto těmito
kdo: koho komu kom kým
co: čeho čemu čem čím
nikdo: nikoho nikomu nikom nikým
nic: ničeho ničemu ničem ničím
někdo: někoho někomu někom někým
něco: něčeho něčemu něčem něčím
všechen: všechno všechna všichni všechny všeho všemu všem vším všech všemi vše
sám: sama samo sami samy
jenž: jehož jemuž jímž jíž jejž již jež něhož němuž němž něž nichž nimž nimiž jejichž
jeden: jedna jedno jednoho jednomu jednom jedním jedné jednu jedni jedny jedněch jedněm jedněmi
dva: dvě dvou dvěma
tři: tří třem třemi
čtyři: čtyř čtyřem čtyřmi
oba: obě obou oběma
pět: pěti
šest: šesti
sedm: sedmi
osm: osmi
devět: devíti
deset: deseti
člověk: lidé lidi lidí lidem lidmi lidech
den: dne dni dnu dnem dny dnů dnům dnech dní
dům: domu domě domem domy domů domům domech
dítě: děti dětí dětem dětmi dětech dítěte dítěti dítětem
oko: oči očí očím očima očích
ucho: uši uší uším ušima uších
ruka: ruce rukou rukama rukách rukám
noha: nohou nohama
dobrý: lepší
špatný: horší
velký: větší
malý: menší
vysoký: vyšší
nízký: nižší
dlouhý: delší
krátký: kratší
úzký: užší
široký: širší
hluboký: hlubší
blízký: bližší
drahý: dražší
snadný: snazší
těžký: těžší
lehký: lehčí
tichý: tišší
suchý: sušší
hezký: hezčí
jednoduchý: jednodušší
měkký: měkčí
tenký: tenčí
dobře: lépe líp
špatně: hůře hůř
mnoho: více víc
málo: méně míň
být: jsem jsi jsme jste jsou je bych bys by bychom byste jsa jsouc
+být: byl byla bylo byli byly budu budeš bude budeme budete budou buď buďte
mít: mám máš má máme máte mají měl měla mělo měli měly měj mějte maje
+jít: jdu jdeš jde jdeme jdete jdou jdi jděte šel šla šlo šli šly jda jdouc
jít: půjdu půjdeš půjde půjdeme půjdete půjdou pojď pojďte
+jet: jedu jedeš jede jedeme jedete jedou jeď jeďte jel jela jelo jeli jely
+chtít: chci chceš chce chceme chcete chtějí chtěl chtěla chtělo chtěli chtěly
+moci: můžu mohu můžeš může můžeme můžete můžou mohou mohl mohla mohlo mohli mohly
+vědět: vím víš ví víme víte vědí věděl věděla vědělo věděli věděly
+říct: řeknu řekneš řekne řekneme řeknete řeknou řekl řekla řeklo řekli řekly řekni řekněte řečeno
+říci: řeknu řekneš řekne řekneme řeknete řeknou řekl řekla řeklo řekli řekly
+jíst: jíš jíme jíte jedí jedl jedla jedlo jedli jedly
+číst: čtu čteš čte čteme čtete čtou četl četla četlo četli četly čti čtěte čten čtena čteno čteny
~brát: beru bereš bere bereme berete berou ber berte bral brala bralo brali braly brán brána bráno
~psát: píšu píši píšeš píše píšeme píšete píšou píší piš pište psal psala psalo psali psaly psán psána psáno psáni psány
+vzít: vezmu vezmeš vezme vezmeme vezmete vezmou vezmi vezměte vzal vzala vzalo vzali vzaly vzat vzata vzato vzaty
+čít: čnu čneš čne čneme čnete čnou čni čněte čal čala čalo čali čaly čat čata čato
+jmout: jmu jmeš jme jmeme jmete jmou jmi jměte jal jala jalo jali jaly jat jata jato jaty
~stát: stanu staneš stane staneme stanete stanou staň staňte stojím stojíš stojí stojíme stojíte stál stála stálo stáli stály stůj stůjte
+bát: bojím bojíš bojí bojíme bojíte bál bála bálo báli bály
~spát: spím spíš spí spíme spíte spal spala spalo spali spaly
~zvát: zvu zveš zve zveme zvete zvou zval zvala zvalo zvali zvaly zván zvána
~dát: dám dáš dá dáme dáte dají dej dejte dal dala dalo dali daly dán dána dáno dány
~znát: znám znáš zná známe znáte znají znal znala znalo znali znaly
+vést: vedu vedeš vede vedeme vedete vedou veď veďte vedl vedla vedlo vedli vedly veden vedena vedeno vedeni vedeny
+nést: nesu neseš nese neseme nesete nesou nes neste nesl nesla neslo nesli nesly nesen nesena neseno
+vézt: vezu vezeš veze vezeme vezete vezou vezl vezla vezlo vezli vezly
+lézt: lezu lezeš leze lezeme lezete lezou lezl lezla lezlo lezli lezly leznu lezneš lezne lezneme leznete leznou lezen lezena lezeno lezeny
+klást: kladu kladeš klade klademe kladete kladou kladl kladla kladlo kladli kladly kladen kladena kladeno
+růst: rostu rosteš roste rosteme rostete rostou rostl rostla rostlo rostli rostly
+mřít: mřu mřeš mře mřeme mřete mřou mřel mřela mřelo mřeli mřely
+vřít: vřu vřeš vře vřeme vřete vřou vři vřete vřel vřela vřelo vřeli vřely vřen vřena vřeno vřeni vřeny
přát: přeji přeju přeješ přeje přejeme přejete přejí přejou přej přejte
)";

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
    static const IrregularForms table = parseIrregularForms(Irregular);
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

template <std::size_t N>
void applyRules(const QString& word, const Rule (&rules)[N], int extraCost, unsigned allowedChanges,
                BaseFormList& out, QStringList* produced = nullptr)
{
    applyRules(word, rules, rules + N, extraCost, allowedChanges, out, produced);
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
    applyRules(form, soft, 0, None, declined, &forms);
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
