// The analysers judged by what they make of words: the first guess that is one of a few
// head words, as the lookup uses them.
#include "language/BaseForms.h"
#include "language/CzechEndings.h"
#include "language/EnglishForms.h"
#include "language/Folding.h"
#include "language/HunspellDictionary.h"
#include "support/LetterFiles.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Failures show words, not bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace
{

QString firstOf(const QList<BaseForm>& guesses, const QStringList& heads)
{
    for (const BaseForm& guess : guesses) {
        if (heads.contains(guess.word))
            return guess.word;
    }
    return {};
}

QString czech(const char* word, const char* heads)
{
    return firstOf(CzechEndings::guessesOf(u(word)).toList(), u(heads).split(u' '));
}

QString english(const char* word, const char* heads)
{
    return firstOf(EnglishForms::guessesOf(u(word)).toList(), u(heads).split(u' '));
}

bool haveHunspell()
{
    return QFile::exists(BaseForms::defaultDirectory() + QStringLiteral("cs_CZ.dic")) &&
           QFile::exists(BaseForms::defaultDirectory() + QStringLiteral("en_US.dic"));
}

} // namespace

TEST(CzechEndings, EndingsAndTheChangesOfTheStem)
{
    // Each word with the base form and a look-alike head word it must not be taken for.
    EXPECT_EQ(czech("psa", "pes psát"), u("pes"));
    EXPECT_EQ(czech("dne", "den dno"), u("den"));
    EXPECT_EQ(czech("stole", "stůl"), u("stůl"));
    EXPECT_EQ(czech("domu", "dům doma"), u("dům"));
    EXPECT_EQ(czech("práci", "práce prát"), u("práce"));
    EXPECT_EQ(czech("praze", "praha"), u("praha"));
    EXPECT_EQ(czech("kluci", "kluk"), u("kluk"));
    EXPECT_EQ(czech("matek", "matka"), u("matka"));
    EXPECT_EQ(czech("oken", "okno"), u("okno"));
    EXPECT_EQ(czech("paměti", "paměť"), u("paměť"));
    EXPECT_EQ(czech("otce", "otec"), u("otec"));
    EXPECT_EQ(czech("zemích", "země"), u("země"));
    EXPECT_EQ(czech("novějšího", "nový"), u("nový"));
    EXPECT_EQ(czech("nejlepší", "dobrý lepší"), u("dobrý"));
    EXPECT_EQ(czech("velcí", "velký"), u("velký"));
    EXPECT_EQ(czech("čeští", "český"), u("český"));
    EXPECT_EQ(czech("kupuje", "kupovat"), u("kupovat"));
    EXPECT_EQ(czech("viděl", "vidět"), u("vidět"));
    EXPECT_EQ(czech("zaplacen", "zaplatit"), u("zaplatit"));
    EXPECT_EQ(czech("spuštěn", "spustit"), u("spustit"));
    EXPECT_EQ(czech("stiskněte", "stisknout"), u("stisknout"));
    EXPECT_EQ(czech("nese", "nést"), u("nést"));
    EXPECT_EQ(czech("nainstalovaného", "nainstalovat"), u("nainstalovat"));
    EXPECT_EQ(czech("jakémkoliv", "jakýkoliv"), u("jakýkoliv"));
    // Cheapest first, each at its cheapest; as cheap, in the order of the rules and changes
    // that made them.
    for (const auto& [word, first] : {std::pair{"ovse", "ovs/4 ovsa/4 ovso/5 oves/6 ovsea/6"},
                                      {"pote", "pot/4 pota/4 poto/5 poit/5 půt/6"}}) {
        QStringList found;
        for (const BaseForm& form : CzechEndings::guessesOf(u(word)).toList().first(5))
            found.append(form.word + u'/' + QString::number(form.cost));
        EXPECT_EQ(found.join(u' '), u(first)) << word;
    }
}

TEST(Folding, LowersAndDropsTheMarksOfLatinLettersAndOfAnyOthers)
{
    for (const auto& [typed, folded] :
         {std::pair{"ŠTĚKAL", "stekal"}, {"pes", "pes"}, {"e\u0301ta", "eta"}, {"ŽД", "zд"}})
        EXPECT_EQ(foldDiacritics(u(typed)), u(folded)) << typed;
}

TEST(CzechEndings, IrregularFormsAndPrefixedVerbs)
{
    EXPECT_EQ(czech("šel", "jít"), u("jít"));
    EXPECT_EQ(czech("lidé", "člověk"), u("člověk"));
    EXPECT_EQ(czech("svou", "svůj"), u("svůj"));
    EXPECT_EQ(czech("mají", "mít mat"), u("mít"));
    EXPECT_EQ(czech("přišel", "přijít"), u("přijít"));
    EXPECT_EQ(czech("odešli", "odejít"), u("odejít"));
    EXPECT_EQ(czech("vybere", "vybrat vybrát"), u("vybrat"));
    EXPECT_EQ(czech("otevřen", "otevřít"), u("otevřít"));
    EXPECT_EQ(czech("převezme", "převzít převézt"), u("převzít"));
    // A negated verb is not its verb, and nothing but verbal prefixes comes before one.
    EXPECT_EQ(czech("nešel", "jít nejít"), QString());
    EXPECT_EQ(czech("kašel", "kajít"), QString());
    // Never the word itself; a word the rules cannot shorten has no guess.
    EXPECT_FALSE(CzechEndings::guessesOf(u("pes")).toList().contains(BaseForm{u("pes"), 0}));
    // Without changes of the stem, no fleeting e: "gnu" is not a form of "gen".
    EXPECT_EQ(
        firstOf(CzechEndings::guessesOf(u("gnu"), CzechEndings::SameStem).toList(), {u("gen")}),
        QString());
    EXPECT_EQ(firstOf(CzechEndings::guessesOf(u("firewallu"), CzechEndings::SameStem).toList(),
                      {u("firewall")}),
              u("firewall"));
}

TEST(EnglishForms, RegularAndIrregularInflection)
{
    EXPECT_EQ(english("went", "go"), u("go"));
    EXPECT_EQ(english("children", "child"), u("child"));
    EXPECT_EQ(english("understood", "understand stand"), u("understand"));
    EXPECT_EQ(english("better", "good"), u("good"));
    EXPECT_EQ(english("blushes", "blush blushe"), u("blush"));
    EXPECT_EQ(english("studies", "study studie"), u("study"));
    EXPECT_EQ(english("leaves", "leaf"), u("leaf"));
    EXPECT_EQ(english("stopped", "stop"), u("stop"));
    EXPECT_EQ(english("hoping", "hope hop"), u("hope"));
    EXPECT_EQ(english("happier", "happy"), u("happy"));
    // A doer is not the verb, and a short word is not cut to a shorter one.
    EXPECT_EQ(english("reader", "read"), QString());
    EXPECT_EQ(english("nas", "na"), QString());
}

TEST(HunspellDictionary, ReadsADictionaryInItsOwnEncoding)
{
    // A dictionary in ISO-8859-2, as Czech dictionaries were: words with diacritics go in
    // and come back converted.
    QTemporaryDir dir;
    QStringEncoder latin2("ISO-8859-2");
    const auto write = [&](const char* name, const char* text) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(latin2.encode(u(text)));
    };
    write("t.aff", "SET ISO8859-2\nSFX A Y 1\nSFX A 0 em .\nPFX N Y 1\nPFX N 0 ne .\n");
    write("t.dic", "2\nčaj/AN\nkůň\n");
    auto dictionary = HunspellDictionary::open(dir.filePath("t.aff"), dir.filePath("t.dic"));
    ASSERT_TRUE(dictionary);
    const auto stems = dictionary->stems(u("čajem"));
    ASSERT_EQ(stems.size(), 1);
    EXPECT_EQ(stems[0].word, u("čaj"));
    EXPECT_EQ(stems[0].suffixFlags, QStringList{u("A")});
    EXPECT_FALSE(stems[0].prefixed);
    EXPECT_EQ(dictionary->stems(u("kůň")).value(0).word, u("kůň"));
    EXPECT_TRUE(dictionary->stems(u("nečaj")).value(0).prefixed);
    EXPECT_TRUE(dictionary->stems(u("čajový")).isEmpty());
    // A word the encoding cannot hold is simply unknown.
    EXPECT_TRUE(dictionary->stems(u("čajő€")).isEmpty());

    QString whyNot;
    EXPECT_FALSE(
        HunspellDictionary::open(dir.filePath("none.aff"), dir.filePath("t.dic"), &whyNot));
    EXPECT_TRUE(whyNot.contains(u("none.aff")));
}

TEST(BaseForms, HunspellStemsComeBeforeGuessesAndKeepTheirMeaning)
{
    if (!haveHunspell())
        GTEST_SKIP() << "no Hunspell dictionaries in "
                     << BaseForms::defaultDirectory().toStdString();
    BaseForms baseForms;
    ASSERT_TRUE(baseForms.waitUntilReady(Language::Czech));
    ASSERT_TRUE(baseForms.waitUntilReady(Language::English));
    const auto bases = [&](Language language, const char* word, const char* heads) {
        const QStringList known = u(heads).split(u' ');
        return baseForms
            .baseFormsOf(u(word), language, [&](QStringView base) { return known.contains(base); })
            .join(u' ');
    };
    // The dictionary holds inflected forms as heads (klíče, vidí): the base form wins.
    EXPECT_EQ(bases(Language::Czech, "klíči", "klíče klíč"), u("klíč"));
    EXPECT_EQ(bases(Language::Czech, "vidím", "vidí vidět"), u("vidět"));
    EXPECT_EQ(bases(Language::Czech, "byla", "byl být"), u("být"));
    EXPECT_EQ(bases(Language::Czech, "závislostí", "závislý závislost"), u("závislost"));
    EXPECT_EQ(bases(Language::Czech, "nastavena", "nastavit"), u("nastavit"));
    // A prefix of Hunspell's may negate: nedělal is not dělat.
    EXPECT_EQ(bases(Language::Czech, "nedělal", "dělat"), QString());
    // An English word in Czech text is no Czech form.
    EXPECT_EQ(bases(Language::Czech, "gnu", "gen"), QString());
    EXPECT_EQ(bases(Language::English, "sighed", "sigh"), u("sigh"));
    EXPECT_EQ(bases(Language::English, "best", "be good well"), u("good well"));
    EXPECT_EQ(bases(Language::English, "unhappy", "happy"), QString());
    EXPECT_EQ(bases(Language::English, "resizing", "size resize"), u("resize"));
    EXPECT_EQ(bases(Language::English, "authentications", "authenticate authentication"),
              u("authentication"));
}

TEST(BaseForms, WithoutItsHunspellDictionaryALanguageHasNoBaseForms)
{
    BaseForms baseForms(QStringLiteral("/nonexistent/"));
    EXPECT_FALSE(baseForms.waitUntilReady(Language::Czech));
    EXPECT_TRUE(baseForms.baseFormsOf(u("psa"), Language::Czech, [](QStringView) { return true; })
                    .isEmpty());
}
