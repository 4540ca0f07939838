// The word-form table, written by its writer into a temporary file and read back mapped: what
// the lookups of words typed without diacritics or mistyped find, best first, and the base
// forms it serves without Hunspell.
#include "language/FormTable.h"
#include "language/FormTableWriter.h"
#include "language/TableBaseForms.h"
#include "support/LetterFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

using FormTableFormat::Kind;

class FormTableTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        FormTableWriter writer;
        const auto add = [&](Language language, const char* base, const char* forms, int weight) {
            writer.add(language, u(base), u(base), Kind::HeadWord);
            writer.addKnown(language, u(base));
            writer.setWeight(language, u(base), weight);
            for (const QString& form : u(forms).split(u' ', Qt::SkipEmptyParts))
                writer.add(language, form, u(base), Kind::Inflected);
        };
        add(Language::Czech, "kůň", "", 30);
        add(Language::Czech, "kuna", "kun kuny kunu", 2);
        add(Language::Czech, "kočka", "kočky kočku", 5);
        add(Language::Czech, "štěkat", "štěkal štěká", 1);
        add(Language::Czech, "vidět", "vidí vidím", 9);
        add(Language::Czech, "vidí", "", 1);
        writer.add(Language::Czech, u("byla"), u("být"), Kind::Derived);
        add(Language::English, "house", "houses", 20);
        add(Language::English, "hose", "hoses", 3);
        add(Language::English, "the", "", 90);
        add(Language::English, "tea", "teas", 4);
        ASSERT_TRUE(writer.write(dir.filePath("forms.dat")));
        table = FormTable::open(dir.filePath("forms.dat"));
        ASSERT_TRUE(table);
    }
    QString bases(const QList<FormMatch>& matches)
    {
        QStringList out;
        for (const FormMatch& match : matches)
            out.append(match.base);
        return out.join(u' ');
    }

    QTemporaryDir dir;
    std::shared_ptr<FormTable> table;
};

TEST_F(FormTableTest, FoldedSpellingsFindHeadWordsBeforeForms)
{
    EXPECT_EQ(table->folded(u("kocku"), Language::Czech, 2),
              (QList<FormMatch>{{u("kočka"), u("kočku"), 0}}));
    // The head word spelt so wins over the form that is spelt exactly so.
    EXPECT_EQ(bases(table->folded(u("kun"), Language::Czech, 2)), u("kůň kuna"));
    EXPECT_EQ(bases(table->folded(u("kun"), Language::Czech, 1)), u("kůň"));
    EXPECT_EQ(bases(table->folded(u("stekal"), Language::Czech, 2)), u("štěkat"));
    EXPECT_TRUE(table->folded(u("stekal"), Language::English, 2).isEmpty());
}

TEST_F(FormTableTest, NearWordsNearestAndMostCommonFirst)
{
    EXPECT_EQ(table->near(u("hosue"), Language::English, 2),
              (QList<FormMatch>{{u("house"), u("house"), 1}, {u("hose"), u("hose"), 1}}));
    EXPECT_EQ(bases(table->near(u("teh"), Language::English, 2)), u("the tea"));
    EXPECT_EQ(bases(table->near(u("kocky"), Language::Czech, 2)), u("kočka"));
    // Two edits only for longer words; none for the shortest.
    EXPECT_EQ(bases(table->near(u("hxusx"), Language::English, 2)), u("house"));
    EXPECT_TRUE(table->near(u("thxx"), Language::English, 2).isEmpty());
    EXPECT_TRUE(table->near(u("te"), Language::English, 2).isEmpty());
}

TEST_F(FormTableTest, ServesBaseFormsWithoutHunspell)
{
    TableBaseForms baseForms(table);
    const auto lookup = [&](const char* word, const char* heads) {
        const QStringList known = u(heads).split(u' ');
        return baseForms
            .baseFormsOf(u(word), Language::Czech,
                         [&](const QString& base) { return known.contains(base); })
            .join(u' ');
    };
    EXPECT_EQ(lookup("kočku", "kočka"), u("kočka"));
    EXPECT_EQ(lookup("byla", "být"), u("být"));
    EXPECT_EQ(lookup("vidím", "vidí vidět"), u("vidět"));
    // Only head words count, and a word's own base form is tried before its look-alikes.
    EXPECT_EQ(lookup("kočku", "kuna"), QString());
    EXPECT_EQ(lookup("psa", "pes"), QString());
}

TEST(FormTable, RefusesWhatIsNoWholeTable)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("bad.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(200, 'x'));
    file.close();
    QString whyNot;
    EXPECT_FALSE(FormTable::open(file.fileName(), &whyNot));
    EXPECT_TRUE(whyNot.contains(u("bad.dat")));
    EXPECT_FALSE(FormTable::open(dir.filePath("none.dat")));
}

} // namespace
