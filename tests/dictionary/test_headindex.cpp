#include "dictionary/FileReader.h"
#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LookupTable.h"
#include "support/LetterFiles.h"
#include "support/RandomLetterFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QResource>
#include <QTemporaryFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace LetterFile;

namespace
{

// The lookup as the translation pass did it before it worked on bytes: every line decoded,
// every head lowered, up to a head line "End" or a head line without its translation.
QHash<QString, QStringList> decodingLookup(const QByteArray& bytes)
{
    QHash<QString, QStringList> entries;
    const QStringList lines = plainLines(bytes);
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        if (lines[i] == QLatin1String("End") || i + 1 >= lines.size())
            break;
        entries[lines[i].toLower()].append(lines[i + 1].toLower());
    }
    return entries;
}

// Hands its bytes over a few at a time, so that lines are cut at every possible place.
class TrickleDevice final : public QBuffer
{
  public:
    TrickleDevice(const QByteArray& bytes, quint32 seed) : m_random(seed)
    {
        setData(bytes);
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

  protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        return QBuffer::readData(data, std::min<qint64>(maxSize, m_random.bounded(1, 8)));
    }

  private:
    QRandomGenerator m_random;
};

// Sets a file's times back, as for a file written long before the program reads it.
void age(const QString& path, int seconds = 3600)
{
    struct timespec times[2];
    clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

} // namespace

TEST(LookupOnBytes, FindsWhatTheDecodingLookupFindsInEveryFileOfTheImportedDictionary)
{
    const QString directory = QStringLiteral(SLOVNIK_IMPORTED_DICTIONARY "/");
    if (!QFile::exists(directory + QStringLiteral("a.dta")))
        GTEST_SKIP() << "no imported dictionary";
    qsizetype heads = 0;
    for (const char* ext : {".dta", ".cze"}) {
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            const QString name = QLatin1Char(letter) + QLatin1String(ext);
            const QByteArray bytes = readFile(directory + name).value_or(QByteArray());
            const QHash<QString, QStringList> reference = decodingLookup(bytes);
            const LookupTable table = LookupTable::fromBytes(bytes);
            qsizetype entries = 0;
            for (auto it = reference.cbegin(); it != reference.cend(); ++it) {
                ASSERT_EQ(table.translationsOf(it.key()), it.value())
                    << name.toStdString() << ' ' << it.key().toStdString();
                const QString raised = it.key().toUpper();
                ASSERT_EQ(table.translationsOf(raised), reference.value(raised));
                entries += it.value().size();
            }
            ASSERT_EQ(table.size(), entries) << name.toStdString();
            heads += entries;
        }
    }
    EXPECT_GT(heads, 100000);
}

TEST(LookupOnBytes, FindsWhatTheDecodingLookupFindsInRandomLines)
{
    QRandomGenerator random(20240611);
    for (int round = 0; round < 400; ++round) {
        const RandomLetterFile file = randomLetterFile(random, random.bounded(1, 40));
        const QHash<QString, QStringList> reference = decodingLookup(file.bytes);
        // From bytes, then kept whole or read back hit by hit, from a device that hands its
        // bytes over a few at a time and from a real file.
        std::optional<LookupTable> read;
        if (round % 4 == 0) {
            read = LookupTable::fromBytes(file.bytes);
        } else if (round % 4 == 3) {
            QTemporaryFile real;
            ASSERT_TRUE(real.open());
            real.write(file.bytes);
            real.flush();
            auto device = std::make_unique<QFile>(real.fileName());
            ASSERT_TRUE(device->open(QIODevice::ReadOnly | QIODevice::Unbuffered));
            read = LookupTable::fromDevice(std::move(device), 0);
        } else {
            read = LookupTable::fromDevice(std::make_unique<TrickleDevice>(file.bytes, round),
                                           round % 4 == 1 ? KeptFileSize : 0);
        }
        ASSERT_TRUE(read);
        const LookupTable& table = *read;
        QStringList words = reference.keys();
        for (const QString& head : file.heads)
            words << head << head.toUpper() << head.toLower() + QLatin1Char('x');
        words << QString() << QStringLiteral("\u0131") << QStringLiteral("i\u0307");
        for (const QString& word : words) {
            ASSERT_EQ(table.translationsOf(word), reference.value(word))
                << "round " << round << " word " << word.toStdString() << " file "
                << file.bytes.toHex().toStdString();
            ASSERT_EQ(table.contains(word), reference.contains(word));
        }
    }
}

class HeadIndexTest : public ::testing::Test
{
  protected:
    // The name of each file the index opens, in order; `whenOpened` runs right after.
    HeadIndex index{[this](const QString& path) {
        opened.append(QFileInfo(path).fileName());
        auto file = HeadIndex::openFile(path);
        if (whenOpened)
            whenOpened(path);
        return file;
    }};
    TempDataDir data;
    QStringList opened;
    std::function<void(const QString&)> whenOpened;

    void writeAged(const QString& name, const QStringList& lines, int seconds = 3600)
    {
        data.writeLines(name, lines);
        age(data.file(name), seconds);
    }

    QStringList look(const char* name, const char* word)
    {
        return index.translationsOf(data.file(QLatin1String(name)), u(word));
    }
};

TEST_F(HeadIndexTest, ReadsAFileAgainOnlyWhenItHasChanged)
{
    writeAged("a.dta", lines({"APPLE", "jablko;", "APE", "opice;", "End"}));
    index.beginPass();
    EXPECT_EQ(look("a.dta", "apple"), lines({"jablko;"}));
    EXPECT_EQ(look("a.dta", "ape"), lines({"opice;"}));
    EXPECT_TRUE(look("b.dta", "box").isEmpty()); // missing: nothing to open
    EXPECT_EQ(opened, lines({"a.dta"}));

    index.beginPass();
    EXPECT_EQ(look("a.dta", "apple"), lines({"jablko;"}));
    EXPECT_TRUE(look("b.dta", "box").isEmpty());
    EXPECT_EQ(opened, lines({"a.dta"}));

    // Another program changes a file in place (same size), or adds one: seen by the next pass.
    // A file is checked once a pass: one found missing stays so until the pass ends.
    data.writeLines("a.dta", lines({"APPLE", "jablka;", "APE", "opice;", "End"}));
    writeAged("b.dta", lines({"BOX", "krabice;", "End"}));
    EXPECT_TRUE(look("b.dta", "box").isEmpty());
    index.beginPass();
    EXPECT_EQ(look("a.dta", "apple"), lines({"jablka;"}));
    EXPECT_TRUE(index.table(data.file(u("b.dta"))).contains(u("box")));
    EXPECT_FALSE(index.table(data.file(u("b.dta"))).contains(u("bo")));
    EXPECT_EQ(opened, lines({"a.dta", "a.dta", "b.dta"}));

    // A file changed moments ago is read at every pass until its change is seconds old: a
    // second change within the same clock tick would not show in its stamp.
    index.beginPass();
    EXPECT_EQ(look("a.dta", "apple"), lines({"jablka;"}));
    EXPECT_EQ(opened.size(), 4);

    // The program's own rewrite, in the pass that read the file.
    EXPECT_TRUE(look("b.dta", "bag").isEmpty());
    writeAged("b.dta", lines({"BOX", "krabice;", "BAG", "taška;", "End"}));
    index.forget(data.file("b.dta"));
    EXPECT_EQ(look("b.dta", "bag"), lines({"taška;"}));
}

TEST_F(HeadIndexTest, AFileReplacedWhileItIsReadIsReadAgain)
{
    writeAged("a.dta", lines({"APPLE", "jablko;", "End"}), 7200);
    // Right after the open, a learning in another program renames its new copy over the file.
    whenOpened = [this](const QString& path) {
        writeAged("new.dta", lines({"APPLE", "jablko;", "ARM", "paže;", "End"}));
        QFile::remove(path);
        QFile::rename(data.file("new.dta"), path);
        whenOpened = nullptr;
    };
    index.beginPass();
    EXPECT_TRUE(look("a.dta", "arm").isEmpty());
    index.beginPass();
    EXPECT_EQ(look("a.dta", "arm"), lines({"paže;"}));
}

TEST_F(HeadIndexTest, UnreadableFilesAreTriedAgainAndResourcesAreRead)
{
    writeAged("u.dta", lines({"UP", "nahoru;", "End"}));
    const QString path = data.file("u.dta");
    HeadIndex failing([&](const QString& file) {
        opened.append(file);
        return opened.size() == 1 ? nullptr : HeadIndex::openFile(file);
    });
    failing.beginPass();
    EXPECT_TRUE(failing.translationsOf(path, u("up")).isEmpty());
    failing.beginPass();
    EXPECT_EQ(failing.translationsOf(path, u("up")), lines({"nahoru;"}));

    // Neither a fifo nor a directory is opened: a fifo would wait for a writer.
    ASSERT_EQ(mkfifo(QFile::encodeName(data.file(u("f.dta"))).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkdir(data.file(u("d.dta"))));
    EXPECT_TRUE(failing.translationsOf(data.file(u("f.dta")), u("fifo")).isEmpty());
    EXPECT_TRUE(failing.translationsOf(data.file(u("d.dta")), u("dir")).isEmpty());
    EXPECT_EQ(opened.size(), 2);

    // Stored compressed, as the built-in dictionary is: read through Qt's own decompression.
    const QString resource = QStringLiteral(":/letters/h.dta");
    ASSERT_NE(QResource(resource).compressionAlgorithm(), QResource::NoCompression);
    for (int pass = 0; pass < 2; ++pass) {
        index.beginPass();
        EXPECT_EQ(index.translationsOf(resource, u("house")), lines({"dům;"}));
        EXPECT_EQ(index.translationsOf(resource, u("horse200")), lines({"kůň číslo 200;"}));
    }
    EXPECT_EQ(opened.size(), 3);
    EXPECT_GT(index.memoryBytes(), 0);
}
