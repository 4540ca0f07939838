#include "language/CzechEndingRules.h"

namespace CzechEndings
{

namespace
{

// The endings. Costs: 2 for endings that say almost for certain what the base form is
// (-ého, -ovat's forms), up to 7 for bare one-letter endings that many forms share.
// clang-format off
const Rule RulesTable[] = {
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
const Rule ComparativesTable[] = {
    {u"ější", u"ý", 2}, {u"ejší", u"ý", 2}, {u"ější", u"í", 3}, {u"ejší", u"í", 3},
    {u"ší", u"ý", 3}, {u"čí", u"ký", 3}, {u"ěji", u"ý", 3}, {u"eji", u"ý", 3},
    {u"ěji", u"í", 4}, {u"eji", u"í", 4},
};
// clang-format on

// Adjectives made from participles, and nouns made from verbs, to their verbs:
// nainstalovaný -> nainstalovat, zaplacený -> zaplatit, zapnutý -> zapnout, deklarující ->
// deklarovat, ponechání -> ponechat.
// clang-format off
const Rule FromVerbsTable[] = {
    {u"ovaný", u"ovat", 2}, {u"aný", u"at", 3}, {u"ený", u"it", 3, Participle},
    {u"ěný", u"it", 3}, {u"ěný", u"ět", 3}, {u"nutý", u"nout", 2}, {u"itý", u"ít", 3},
    {u"ytý", u"ýt", 3}, {u"ující", u"ovat", 3},
    {u"ování", u"ovat", 3}, {u"ání", u"at", 4}, {u"ení", u"it", 4, Participle},
    {u"ění", u"it", 4}, {u"ění", u"ět", 4}, {u"nutí", u"nout", 3}, {u"ití", u"ít", 4},
};
// clang-format on

const QStringView ParticleTable[] = {u"koliv", u"koli", u"to"};

} // namespace

const std::span<const Rule> Rules = RulesTable;
const std::span<const Rule> Comparatives = ComparativesTable;
const std::span<const Rule> FromVerbs = FromVerbsTable;
const std::span<const QStringView> Particles = ParticleTable;

// Forms that follow no ending rule (the format: IrregularForms.h): the pronouns, numerals,
// suppletive nouns and comparisons, and the verbs whose forms change their stem.
const char16_t* const IrregularTable = uR"(
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

} // namespace CzechEndings
