#include "dictionary/EntryAppender.h"
#include "dictionary/FileWriter.h"
#include "support/LetterFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

using namespace LetterFile;

namespace
{

// Starts writing the new copy, then fails as a full disk would.
class FailingWriter final : public FileWriter
{
  public:
    std::optional<QString> replaceFile(const QString& path, const QByteArray& content) override
    {
        QSaveFile file(path);
        file.setDirectWriteFallback(false);
        if (file.open(QIODevice::WriteOnly))
            file.write(content.left(content.size() / 2));
        return QStringLiteral("zápis se nezdařil (možná je plný disk)");
    }
};

class EntryAppenderTest : public ::testing::Test
{
  protected:
    AppendOutcome append(const QString& name, const QString& ext, const char* head,
                         const char* translation)
    {
        return appendEntry(data.file(name), ext, {u(head), u(translation)}, *buffer, writer);
    }

    QStringList linesOf(const QString& name) const { return splitLines(data.bytes(name)); }

    // Runs `work` in a child process that has given up root's right to write anywhere, so
    // that permissions are enforced even when the tests run as root. Returns its exit code.
    template <typename Work> int asUnprivileged(Work work)
    {
        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(99);
            _exit(work());
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
    }

    TempDataDir data;
    std::unique_ptr<LineBuffer> buffer = std::make_unique<LineBuffer>();
    SafeFileWriter writer;
};

} // namespace

TEST_F(EntryAppenderTest, WritesTheNewEntryBeforeTheTerminatorOfEachDirection)
{
    data.writeLines("p.dta", lines({"APPLE", "jablko;", "End"}));
    EXPECT_FALSE(append("p.dta", ".dta", "PEAR", "hruška;").failed());
    EXPECT_EQ(data.bytes("p.dta"), QByteArray("APPLE\r\njablko;\r\nPEAR\r\nhru\x9aka;\r\nEnd\r\n"));

    data.writeLines("v.cze", lines({"VLAK", "train", "end", "end"}));
    EXPECT_FALSE(append("v.cze", ".cze", "VODA", "water").failed());
    EXPECT_EQ(data.bytes("v.cze"), QByteArray("VLAK\r\ntrain\r\nVODA\r\nwater\r\nend\r\nend\r\n"));

    // Missing and empty files are files without entries.
    EXPECT_FALSE(append("m.dta", ".dta", "MOON", "měsíc;").failed());
    EXPECT_EQ(linesOf("m.dta"), lines({"MOON", "měsíc;", "End"}));
    data.writeBytes("e.cze", {});
    EXPECT_FALSE(append("e.cze", ".cze", "ČAJ", "tea").failed());
    EXPECT_EQ(linesOf("e.cze"), lines({"ČAJ", "tea", "end", "end"}));

    // A file that ends after a complete pair gets the terminator added.
    data.writeLines("n.dta", lines({"NOSE", "nos;"}));
    EXPECT_FALSE(append("n.dta", ".dta", "NUT", "ořech;").failed());
    EXPECT_EQ(linesOf("n.dta"), lines({"NOSE", "nos;", "NUT", "ořech;", "End"}));
}

TEST_F(EntryAppenderTest, RecognisesHandMadeTerminatorsAndKeepsLearnedEndEntries)
{
    data.writeLines("a.dta", lines({"A", "b;", "END"}));
    append("a.dta", ".dta", "AX", "c;");
    EXPECT_EQ(linesOf("a.dta"), lines({"A", "b;", "AX", "c;", "End"}));

    data.writeLines("z.cze", lines({"ZED", "wall", "End", "end"}));
    append("z.cze", ".cze", "ZUB", "tooth");
    EXPECT_EQ(linesOf("z.cze"), lines({"ZED", "wall", "ZUB", "tooth", "end", "end"}));

    // The word "end" learned English to Czech is an entry, not the end of the file, however
    // many words are learned after it.
    data.writeLines("e.dta", lines({"EGG", "vejce;", "End"}));
    append("e.dta", ".dta", "END", "konec;");
    append("e.dta", ".dta", "EAR", "ucho;");
    append("e.dta", ".dta", "EYE", "oko;");
    EXPECT_EQ(linesOf("e.dta"),
              lines({"EGG", "vejce;", "END", "konec;", "EAR", "ucho;", "EYE", "oko;", "End"}));
}

TEST_F(EntryAppenderTest, KeepsEveryLineAfterTheTerminator)
{
    data.writeLines("k.dta", lines({"KEY", "klíč;", "End", "KITE", "drak;", "", "poznámka"}));
    append("k.dta", ".dta", "KING", "král;");
    EXPECT_EQ(linesOf("k.dta"),
              lines({"KEY", "klíč;", "KING", "král;", "End", "KITE", "drak;", "", "poznámka"}));

    data.writeLines("k.cze", lines({"KŮŇ", "horse", "end", "end", "zbytek"}));
    append("k.cze", ".cze", "KOČKA", "cat");
    EXPECT_EQ(linesOf("k.cze"), lines({"KŮŇ", "horse", "KOČKA", "cat", "end", "end", "zbytek"}));
}

TEST_F(EntryAppenderTest, FailuresLeaveTheFileByteForByte)
{
    const QByteArray original("PEAR\r\nhru\x9aka;\r\nEnd\r\n\x81\x98\r\n");
    data.writeBytes("p.dta", original);

    FailingWriter failing;
    const auto injected =
        appendEntry(data.file("p.dta"), ".dta", {"PLUM", "švestka;"}, *buffer, failing);
    EXPECT_TRUE(injected.failed());
    EXPECT_NE(injected.whyNot.indexOf(u("plný disk")), -1);
    EXPECT_EQ(data.bytes("p.dta"), original);
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files), QStringList{"p.dta"}); // no temporary left

    // A file that ends in the middle of a pair.
    const QByteArray halfPair("A\r\nb;\r\nC\r\n");
    data.writeBytes("a.dta", halfPair);
    EXPECT_TRUE(append("a.dta", ".dta", "AX", "y;").failed());
    EXPECT_EQ(data.bytes("a.dta"), halfPair);

    // A missing directory, and a character the code page cannot hold.
    EXPECT_TRUE(
        appendEntry(data.path() + "nowhere/p.dta", ".dta", {"P", "q;"}, *buffer, writer).failed());
    EXPECT_TRUE(append("p.dta", ".dta", "PLUM", "mañana;").failed());
    EXPECT_EQ(data.bytes("p.dta"), original);
}

TEST_F(EntryAppenderTest, ReadOnlyFilesAndDirectoriesAreRefused)
{
    const QByteArray original("PEAR\r\nhru\x9aka;\r\nEnd\r\n");
    data.writeBytes("p.dta", original);
    QFile::setPermissions(data.file("p.dta"),
                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(data.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther | QFile::WriteOther |
                                               QFile::ExeOther);
    const QString file = data.file("p.dta");
    // Exit code 0: refused for the expected reason.
    auto tryLearning = [&](const QString& expectedReason) {
        return [&file, expectedReason] {
            SafeFileWriter childWriter;
            auto lines = std::make_unique<LineBuffer>();
            const auto outcome = appendEntry(file, ".dta", {"PLUM", "x;"}, *lines, childWriter);
            return outcome.whyNot.contains(expectedReason) ? 0 : 1;
        };
    };
    EXPECT_EQ(asUnprivileged(tryLearning(u("jen pro čtení"))), 0) << "read-only file";
    EXPECT_EQ(data.bytes("p.dta"), original);

    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther |
                                    QFile::WriteOther);
    QFile::setPermissions(data.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther | QFile::ExeOther);
    EXPECT_EQ(asUnprivileged(tryLearning(u("nelze zapisovat"))), 0) << "read-only directory";
    EXPECT_EQ(data.bytes("p.dta"), original);
}

TEST_F(EntryAppenderTest, KeepsPermissionsAndStopsAtTheLineBufferLimit)
{
    data.writeLines("p.dta", lines({"PEAR", "hruška;", "End"}));
    QFile::setPermissions(data.file("p.dta"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const auto permissions = QFile::permissions(data.file("p.dta"));
    EXPECT_FALSE(append("p.dta", ".dta", "PLUM", "švestka;").failed());
    EXPECT_EQ(QFile::permissions(data.file("p.dta")), permissions);
    EXPECT_FALSE(permissions.testFlag(QFile::ReadOther));

    QStringList full;
    for (int i = 0; i < 32767; ++i)
        full << QStringLiteral("W%1").arg(i) << QStringLiteral("w;");
    data.writeLines("w.dta", full + QStringList{"End"});
    EXPECT_FALSE(append("w.dta", ".dta", "WLAST", "fits;").failed());

    const QByteArray tooLong = TempDataDir::crlf(full + QStringList{"WX", "x;", "End"});
    data.writeBytes("x.dta", tooLong);
    const auto outcome = append("x.dta", ".dta", "XLAST", "does not fit;");
    EXPECT_TRUE(outcome.failed());
    EXPECT_NE(outcome.whyNot.indexOf("32 767"), -1);
    EXPECT_EQ(data.bytes("x.dta"), tooLong);
}

TEST_F(EntryAppenderTest, RandomFilesKeepEveryLineInOrder)
{
    QRandomGenerator random(20261206);
    const char* endings[] = {"\r\n", "\n", "\r"};
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes;
        const int lineCount = random.bounded(0, 12);
        for (int l = 0; l < lineCount; ++l) {
            const int length = random.bounded(0, 6);
            for (int c = 0; c < length; ++c) {
                char byte = static_cast<char>(random.bounded(0, 256));
                if (byte == '\r' || byte == '\n')
                    byte = '\x81';
                bytes += byte;
            }
            bytes += endings[random.bounded(0, 3)];
        }
        if (random.bounded(0, 2))
            bytes += "End\r\n";
        data.writeBytes("r.dta", bytes);

        const QStringList before = splitLines(bytes);
        const auto outcome = append("r.dta", ".dta", "ROUND", "kolo;");
        const QStringList after = linesOf("r.dta");
        if (outcome.failed()) {
            EXPECT_EQ(data.bytes("r.dta"), bytes) << "round " << round;
            continue;
        }
        qsizetype at = 0;
        for (const QString& line : before) {
            if (line.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0)
                continue; // the terminator is written afresh
            while (at < after.size() && after[at] != line)
                ++at;
            ASSERT_LT(at, after.size()) << "round " << round << " lost a line";
            ++at;
        }
        EXPECT_EQ(after.count("ROUND"), 1) << "round " << round;
        EXPECT_EQ(data.bytes("r.dta"), joinLines(after)) << "round " << round;
    }
}

TEST_F(EntryAppenderTest, TwoRunningCopiesNeverLoseEachOthersWords)
{
    data.writeLines("s.dta", lines({"SUN", "slunce;", "End"}));
    QProcess first, second;
    first.start(LEARN_WORKER, {data.file("s.dta"), ".dta", "FIRST", "200"});
    second.start(LEARN_WORKER, {data.file("s.dta"), ".dta", "SECOND", "200"});
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().constData();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().constData();

    const Entries entries = readEntries(data.bytes("s.dta"), ".dta");
    EXPECT_FALSE(entries.incomplete);
    ASSERT_EQ(entries.entries.size(), 401);
    QSet<QString> heads;
    for (const Entry& entry : entries.entries)
        heads.insert(entry.head);
    for (int n = 0; n < 200; ++n) {
        EXPECT_TRUE(heads.contains(QStringLiteral("FIRST%1").arg(n)));
        EXPECT_TRUE(heads.contains(QStringLiteral("SECOND%1").arg(n)));
    }
}
