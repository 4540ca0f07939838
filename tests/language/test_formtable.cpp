// The word-form table, written by its writer and read back a block at a time: what words typed
// without diacritics or mistyped find, best first, and the base forms it serves without Hunspell.
#include "language/FormTable.h"
#include "language/FormTableWriter.h"
#include "language/TableBaseForms.h"
#include "support/LetterFiles.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace
{

// Each line: the head word, its weight, its inflected forms.
std::shared_ptr<FormTable> tableOf(const QTemporaryDir& dir, Language language, const char* text)
{
    FormTableWriter writer;
    for (const QString& line : u(text).split(u'\n')) {
        const QStringList words = line.split(u' ');
        writer.add(language, words[0], words[0], FormTableFormat::Kind::HeadWord);
        writer.setWeight(language, words[0], words[1].toUInt());
        for (const QString& form : words.mid(2))
            writer.add(language, form, words[0], FormTableFormat::Kind::Inflected);
    }
    writer.add(language, u("byla"), u("být"), FormTableFormat::Kind::Derived);
    const QString path = dir.filePath(language == Language::Czech ? "cs.dat" : "en.dat");
    EXPECT_TRUE(writer.write(path));
    return FormTable::open(path);
}

QString bases(const QList<FormMatch>& matches)
{
    QStringList out;
    for (const FormMatch& match : matches)
        out.append(match.base + u':' + match.form + u':' + QString::number(match.edits));
    return out.join(u' ');
}

} // namespace

TEST(FormTable, FoldedAndNearWordsBestFirst)
{
    QTemporaryDir dir;
    const auto czech =
        tableOf(dir, Language::Czech, "kůň 30\nkuna 2 kun kuny\nkočka 5 kočku\nštěkat 1 štěkal");
    // The head word spelt so wins over a form spelt exactly so.
    EXPECT_EQ(bases(czech->folded(u("kun"), Language::Czech, 2)), u("kůň:kůň:0 kuna:kun:0"));
    EXPECT_EQ(bases(czech->folded(u("stekal"), Language::Czech, 1)), u("štěkat:štěkal:0"));
    // Found past the keys that begin it (kun, kuna).
    EXPECT_EQ(bases(czech->folded(u("kuny"), Language::Czech, 1)), u("kuna:kuny:0"));

    const auto english = tableOf(dir, Language::English, "house 20 houses\nhose 3\nthe 90\ntea 4");
    EXPECT_EQ(bases(english->near(u("hosue"), Language::English, 2)),
              u("house:house:1 hose:hose:1"));
    EXPECT_EQ(bases(english->near(u("teh"), Language::English, 2)), u("the:the:1 tea:tea:1"));
    EXPECT_EQ(bases(english->near(u("hxusx"), Language::English, 2)), u("house:house:2"));
    // Two edits only for longer words.
    EXPECT_TRUE(english->near(u("thxx"), Language::English, 2).isEmpty());
    // A word longer than 64 letters is measured all the same.
    const QString longWord = QString(70, u'a') + u("bc");
    const auto long_ = tableOf(dir, Language::English, qPrintable(longWord + u(" 1")));
    EXPECT_EQ(bases(long_->near(QString(70, u'a') + u("cb"), Language::English, 1)),
              longWord + u':' + longWord + u(":1"));
    // A pasted run of letters, longer than any word, is near nothing and costs nothing.
    EXPECT_TRUE(long_->near(QString(100000, u'a'), Language::English, 2).isEmpty());
    EXPECT_TRUE(long_->keysNear(Language::English, QString(), 0).empty());
}

TEST(FormTable, ServesBaseFormsWithoutHunspell)
{
    QTemporaryDir dir;
    TableBaseForms baseForms(tableOf(
        dir, Language::Czech, "kočka 5 kočiček\nvidět 9 vidí vidím\nřádek 5 řádku\nřádka 5 řádku"));
    const auto lookup = [&](const char* word, const char* heads) {
        const QStringList known = u(heads).split(u' ');
        return baseForms
            .baseFormsOf(u(word), Language::Czech, [&](QStringView b) { return known.contains(b); })
            .join(u' ');
    };
    EXPECT_EQ(lookup("kočiček", "kočka"), u("kočka"));
    EXPECT_EQ(lookup("byla", "být"), u("být"));
    EXPECT_EQ(lookup("vidím", "vidí vidět"), u("vidět"));
    // A form of two head words: the one the ending analyser finds likelier.
    EXPECT_EQ(lookup("řádku", "řádek řádka"), u("řádka"));
    // A word the table does not know keeps its stem, asked again or not.
    for (int asked = 0; asked < 2; ++asked)
        EXPECT_EQ(lookup("firewallu", "firewall"), u("firewall"));
}

TEST(FormTable, RefusesWhatIsNoWholeTable)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("bad.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(200, 'x')) == 200);
    file.close();
    EXPECT_FALSE(FormTable::open(file.fileName()));
    // A table cut short: its indexes point past the end.
    tableOf(dir, Language::English, "house 20 houses");
    QFile cut(dir.filePath("en.dat"));
    ASSERT_TRUE(cut.resize(cut.size() - 4));
    EXPECT_FALSE(FormTable::open(cut.fileName()));
}

// The search of keys a few edits away leaves whole ways of the automaton unwalked: on keys of a
// small alphabet, where nearly every way comes close, it finds exactly what measuring every key
// finds.
TEST(FormTable, FindsEveryKeyNearAndNoOther)
{
    const auto distance = [](const QByteArray& a, const QByteArray& b) {
        std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
        for (qsizetype i = 0; i <= a.size(); ++i)
            for (qsizetype j = 0; j <= b.size(); ++j) {
                if (i == 0 || j == 0) {
                    d[i][j] = int(i + j);
                    continue;
                }
                d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                    d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
                if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                    d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        return d[a.size()][b.size()];
    };
    QRandomGenerator random(3);
    const auto word = [&] {
        QByteArray out;
        for (int i = 2 + int(random.bounded(6)); i > 0; --i)
            out.append(char('a' + random.bounded(4)));
        return out;
    };
    FormTableWriter writer;
    QSet<QByteArray> keys;
    for (int i = 0; i < 1500; ++i)
        keys.insert(word());
    for (const QByteArray& key : keys)
        writer.add(Language::English, QString::fromLatin1(key), u("x"),
                   FormTableFormat::Kind::Inflected);
    QTemporaryDir dir;
    ASSERT_TRUE(writer.write(dir.filePath("near.dat")));
    const auto table = FormTable::open(dir.filePath("near.dat"));
    for (int i = 0; i < 300; ++i) {
        const QByteArray query = word();
        const int edits = 1 + i % 2;
        std::vector<std::pair<QByteArray, int>> expected;
        for (const QByteArray& key : keys) {
            const int d = distance(key, query);
            if (d <= edits && (key[0] == query[0] || key[0] == query[1]))
                expected.emplace_back(key, d);
        }
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(table->keysNear(Language::English, QString::fromLatin1(query), edits), expected)
            << query.constData();
    }
}
