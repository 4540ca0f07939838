#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "support/LetterFiles.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace LetterFile;

TEST(LetterFileName, LowersTheFirstLetterAndUsesTheBaseLetterOfCzechLetters)
{
    EXPECT_EQ(fileName("/d/", u("House"), ".dta"), "/d/h.dta");
    EXPECT_EQ(fileName("/d/", u("čaj"), ".cze"), "/d/c.cze");
    EXPECT_EQ(fileName("/d/", u("Řeka"), ".cze"), "/d/r.cze");
    EXPECT_EQ(fileName("/d/", u("ůl"), ".cze"), "/d/u.cze");
    EXPECT_EQ(fileName("/d/", u("Ťuk"), ".cze"), "/d/t.cze");
    EXPECT_EQ(fileName("/d/", u("ěx"), ".cze"), "/d/e.cze");
    // The six characters between the capitals and the small letters name a file of their
    // own, still inside the data directory.
    EXPECT_EQ(fileName("/d/", u("_x"), ".dta"), "/d/_.dta");
    EXPECT_EQ(fileName("/d/", u("\\x"), ".dta"), "/d/\\.dta");
}

TEST(LetterFileLines, SplitsOnCrLfLfAndCrAndKeepsEverythingElse)
{
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), lines({"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), lines({"a", "", "b"}));
    EXPECT_EQ(splitLines("a\n\rb"), lines({"a", "", "b"}));
    EXPECT_TRUE(splitLines("").isEmpty());
    EXPECT_EQ(splitLines("  padded \t\r\n"), lines({"  padded \t"}));
    EXPECT_EQ(splitLines("\xe8\x61j\r\n"), lines({"čaj"}));
    EXPECT_EQ(joinLines(lines({"čaj", "", "x"})), QByteArray("\xe8\x61j\r\n\r\nx\r\n"));
}

TEST(LetterFileTerminator, ExactSpellingOrOnlyEndLinesAfterIt)
{
    const QStringList dta = lines({"END", "konec;", "PEAR", "hruška;", "End"});
    EXPECT_FALSE(isTerminator(dta, 0, ".dta")); // a learned entry END
    EXPECT_TRUE(isTerminator(dta, 4, ".dta"));

    EXPECT_TRUE(isTerminator(lines({"A", "b", "END"}), 2, ".dta")); // hand-made, last line
    EXPECT_TRUE(isTerminator(lines({"A", "b", "end", "END"}), 2, ".dta"));
    EXPECT_FALSE(isTerminator(lines({"end", "x", "End"}), 0, ".dta"));
    EXPECT_FALSE(isTerminator(lines({"end ", "x"}), 0, ".dta"));

    const QStringList cze = lines({"END", "konec", "VODA", "water", "end", "end"});
    EXPECT_FALSE(isTerminator(cze, 0, ".cze"));
    EXPECT_TRUE(isTerminator(cze, 4, ".cze"));
    EXPECT_TRUE(isTerminator(lines({"End", "end"}), 0, ".cze"));
}

TEST(LetterFileTerminator, LearnedEndEntriesStayEntriesWhateverTheirTranslation)
{
    for (const char* translation : {"end", "End", "END", "eNd"}) {
        // A learned END whose translation reads "end", then the system's terminator.
        EXPECT_EQ(terminatorLine(lines({"END", translation, "end", "end"}), ".cze"), 2)
            << translation;
        EXPECT_EQ(terminatorLine(lines({"END", translation, "End"}), ".dta"), 2) << translation;
        EXPECT_EQ(terminatorLine(lines({"EGG", "x", "END", translation, "End", "TAIL"}), ".dta"), 4)
            << translation;
    }
    // An "End" head line is where the lookup stops, in either direction.
    EXPECT_EQ(terminatorLine(lines({"ČAJ", "tea", "End", ""}), ".cze"), 2);
    // A hand-made terminator followed by one more entry is still the terminator.
    EXPECT_EQ(terminatorLine(lines({"A", "b", "END", "X", "y"}), ".dta"), 2);
    // ... but not when reading it as a head word keeps the file whole.
    EXPECT_EQ(terminatorLine(lines({"END", "konec;", "end"}), ".dta"), 2);
    EXPECT_EQ(terminatorLine(lines({"A", "b", "C", "d"}), ".dta"), 4);
    EXPECT_EQ(terminatorLine(lines({"A", "b", "C"}), ".dta"), 3);

    QList<QByteArrayView> bytes{"A", "b", "END", "X", "y"};
    EXPECT_EQ(terminatorLine(bytes, ".dta"), 2);
}

namespace
{

std::optional<QByteArray> readAndTell(const QString& path, FileStatus& status)
{
    alarm(10); // a reader that blocks ends the test here instead of hanging it
    auto bytes = readFile(path, status);
    alarm(0);
    return bytes;
}

} // namespace

TEST(LetterFileRead, ReadsOnlyRegularFilesOfSaneSizeAndNeverBlocks)
{
    TempDataDir data;
    FileStatus status;
    ASSERT_EQ(::mkfifo(QFile::encodeName(data.file("f.dta")).constData(), 0600), 0);
    EXPECT_FALSE(readAndTell(data.file("f.dta"), status));
    EXPECT_EQ(status.whyNot, u("není obyčejný soubor"));
    EXPECT_TRUE(status.exists);

    ASSERT_TRUE(QFile::link("/dev/zero", data.file("z.dta")));
    EXPECT_FALSE(readAndTell(data.file("z.dta"), status));
    ASSERT_TRUE(QDir(data.path()).mkdir("d.dta"));
    EXPECT_FALSE(readAndTell(data.file("d.dta"), status));

    QFile huge(data.file("h.dta"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(MaxFileSize + 1));
    huge.close();
    EXPECT_FALSE(readAndTell(data.file("h.dta"), status));
    EXPECT_TRUE(status.whyNot.contains("64 MB"));

    data.writeLines("a.dta", lines({"APPLE", "jablko;", "End"}));
    ASSERT_TRUE(QFile::link(data.file("a.dta"), data.file("l.dta")));
    EXPECT_EQ(readAndTell(data.file("l.dta"), status), data.bytes("a.dta"));
    EXPECT_EQ(status.size, data.bytes("a.dta").size());
    struct stat info {
    };
    ::stat(QFile::encodeName(data.file("a.dta")).constData(), &info);
    EXPECT_EQ(status.inode, info.st_ino) << "the file read";

    EXPECT_EQ(readAndTell(data.file("m.dta"), status), QByteArray());
    EXPECT_FALSE(status.exists);
    EXPECT_EQ(readAndTell(":/dictionary/a.dta", status), QByteArray("APPLE\r\njablko;\r\nEnd\r\n"));
}
