#include "dictionary/EntryAppender.h"
#include "dictionary/FileLock.h"
#include "dictionary/FileReader.h"
#include "dictionary/FileWriter.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "support/LetterFiles.h"
#include "support/RewriteInvariants.h"
#include "support/Unprivileged.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <latch>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace LetterFile;

namespace
{

class EntryAppenderTest : public ::testing::Test
{
  protected:
    AppendOutcome append(const QString& name, const QString& ext, const char* head,
                         const char* translation)
    {
        return appendEntry(data.file(name), ext, {u(head), u(translation)}, *buffer, writer);
    }

    QStringList linesOf(const QString& name) const { return splitLines(data.bytes(name)); }

    TempDataDir data;
    std::unique_ptr<LineBuffer> buffer = std::make_unique<LineBuffer>();
    SafeFileWriter writer;
};

} // namespace

// Each file, and what it holds after NEW is learned into it; no lines after: refused, the file
// left byte for byte.
TEST_F(EntryAppenderTest, PutsTheEntryWhereTheLookupStopsAndLosesNoEntryItFound)
{
    struct Case {
        const char* ext;
        QByteArray before;
        QStringList after;
    };
    const auto file = [](std::initializer_list<const char*> text) {
        return TempDataDir::crlf(lines(text));
    };
    const Case cases[] = {
        {".dta", file({"APPLE", "jablko;", "End"}), {"APPLE", "jablko;", "NEW", "x", "End"}},
        {".cze",
         file({"VLAK", "train", "end", "end"}),
         {"VLAK", "train", "NEW", "x", "end", "end"}},
        {".cze", "", {"NEW", "x", "end", "end"}},
        {".dta", "NOSE\r\nnos;", {"NOSE", "nos;", "NEW", "x", "End"}},
        {".dta", "NOSE\nnos;\rEnd", {"NOSE", "nos;", "NEW", "x", "End"}},
        {".cze",
         file({"APPLE", "jablko"}) + "end\r\nend",
         {"APPLE", "jablko", "NEW", "x", "end", "end"}},
        // Terminators made by hand.
        {".dta", file({"A", "b;", "END"}), {"A", "b;", "NEW", "x", "End"}},
        {".cze", file({"ZED", "wall", "End", "end"}), {"ZED", "wall", "NEW", "x", "end", "end"}},
        {".cze", file({"ČAJ", "tea", "End", ""}), {"ČAJ", "tea", "NEW", "x", "end", "end", ""}},
        {".cze", file({"ČAJ", "tea", "eNd"}), {"ČAJ", "tea", "NEW", "x", "end", "end"}},
        // The word "end" learned is an entry, whatever its translation.
        {".dta", file({"END", "konec;", "End"}), {"END", "konec;", "NEW", "x", "End"}},
        {".dta", file({"END", "end"}), {"END", "end", "NEW", "x", "End"}},
        {".cze", file({"END", "eNd", "end", "end"}), {"END", "eNd", "NEW", "x", "end", "end"}},
        {".dta",
         file({"EGG", "vejce;", "END", "konec;", "OLD", "stuff;"}),
         {"EGG", "vejce;", "END", "konec;", "OLD", "stuff;", "NEW", "x", "End"}},
        // Cut short: the lookup finds "end" -> "old" and passes over "stuff;", which a
        // rewrite could not keep as a head without making the entries before it unreachable.
        {".dta", file({"EGG", "vejce;", "END", "OLD", "stuff;"}), {}},
        {".dta", file({"A", "b;", "C"}), {}},
        // Whatever follows the terminator stays there.
        {".dta",
         file({"BOX", "krabice;", "End", "BIG", "velký;"}),
         {"BOX", "krabice;", "NEW", "x", "End", "BIG", "velký;"}},
    };
    for (const Case& c : cases) {
        const QString name = "n" + QString(c.ext);
        if (c.before.isEmpty())
            QFile::remove(data.file(name));
        else
            data.writeBytes(name, c.before);
        const auto outcome = append(name, c.ext, "NEW", "x");
        SCOPED_TRACE(c.before.toStdString());
        EXPECT_EQ(outcome.failed(), c.after.isEmpty()) << qPrintable(outcome.whyNot);
        if (c.after.isEmpty())
            EXPECT_EQ(data.bytes(name), c.before);
        else
            EXPECT_EQ(linesOf(name), c.after);
    }
}

TEST_F(EntryAppenderTest, FailuresLeaveTheFileByteForByte)
{
    const QByteArray original("PEAR\r\nhru\x9aka;\r\nEnd\r\n\x81\x98\r\n");
    data.writeBytes("p.dta", original);
    // A missing directory, and a character the code page cannot hold.
    EXPECT_TRUE(
        appendEntry(data.path() + "nowhere/p.dta", ".dta", {"P", "q;"}, *buffer, writer).failed());
    EXPECT_TRUE(append("p.dta", ".dta", "PLUM", "mañana;").failed());
    EXPECT_EQ(data.bytes("p.dta"), original);

    // The built-in dictionary, which stands in for a data directory that cannot be used.
    EXPECT_EQ(appendEntry(":/dictionary/p.dta", ".dta", {"P", "q;"}, *buffer, writer).whyNot,
              u("slovník vestavěný do programu nelze měnit"));
}

// Every carried letter file cut short in its last lines (its terminator, line ends or last
// translation missing) and in its middle: a learning keeps every entry the
// lookup found, or is refused.
TEST_F(EntryAppenderTest, EveryCarriedFileCutShortKeepsWhatTheLookupFound)
{
    const QDir carried(SLOVNIK_IMPORTED_DICTIONARY);
    const QStringList names = carried.entryList({"*.dta", "*.cze"});
    ASSERT_EQ(names.size(), 52);
    int refused = 0;
    for (const QString& name : names) {
        const QByteArray whole = *readFile(carried.filePath(name));
        const QString ext = name.right(4);
        // At the ends of its last four lines: after the line end, inside it, before it.
        QList<qsizetype> cuts{whole.size() / 2};
        for (qsizetype end = whole.size(), n = 0; n < 4 && end > 2; ++n) {
            cuts << end << end - 1 << end - 2;
            end = whole.lastIndexOf('\n', end - 2) + 1;
        }
        for (const qsizetype cut : cuts) {
            const QByteArrayView before = QByteArrayView(whole).first(cut);
            const Entry entry{"QQNEW", "x"};
            const Rewrite next = rewriteWith(before, ext, {entry}, name, *buffer);
            refused += next.added == 0;
            EXPECT_EQ(next.added == 0 ? "" : rewriteProblem(before, next.content, ext, {entry}), "")
                << qPrintable(name) << " cut at " << cut << ": " << qPrintable(next.whyNot);
        }
    }
    EXPECT_GT(refused, 52); // a last translation cut off: its head waits for it
}

TEST_F(EntryAppenderTest, StopsAtTheLineBufferLimit)
{
    QStringList full;
    for (int i = 0; i < 32767; ++i)
        full << QStringLiteral("W%1").arg(i) << QStringLiteral("w;");
    data.writeLines("w.dta", full + QStringList{"End"});
    EXPECT_FALSE(append("w.dta", ".dta", "WLAST", "fits;").failed());
    // The slots of the new entry are those the old terminator's line would have taken.
    EXPECT_EQ((*buffer)[65534], "WLAST");
    EXPECT_EQ((*buffer)[65535], "fits;");

    const QByteArray tooLong = TempDataDir::crlf(full + QStringList{"WX", "x;", "End"});
    data.writeBytes("x.dta", tooLong);
    const auto outcome = append("x.dta", ".dta", "XLAST", "does not fit;");
    EXPECT_TRUE(outcome.failed());
    EXPECT_NE(outcome.whyNot.indexOf("32 767"), -1);
    EXPECT_EQ(data.bytes("x.dta"), tooLong);
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

    const QHash<QString, QStringList> found = referenceFound(data.bytes("s.dta"));
    EXPECT_EQ(found.size(), 401);
    for (int n = 0; n < 200; ++n)
        EXPECT_TRUE(found.contains(u("first%1").arg(n)) && found.contains(u("second%1").arg(n)));
}

TEST_F(EntryAppenderTest, RefusesWhatIsNotARegularFile)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(data.file("f.dta")).constData(), 0600), 0);
    alarm(20); // a learning that blocks ends the test here
    EXPECT_EQ(append("f.dta", ".dta", "FISH", "ryba;").whyNot,
              u("soubor f.dta není obyčejný soubor"));
    alarm(0);
    EXPECT_FALSE(QFileInfo(data.file("f.dta")).isFile());

    // A link to a regular file stays a link to the learned file; a dangling one gets its file.
    data.writeLines("real.dta", lines({"LINK", "odkaz;", "End"}));
    ASSERT_TRUE(QFile::link(data.file("real.dta"), data.file("l.dta")));
    ASSERT_EQ(::symlink("gone.dta", QFile::encodeName(data.file("d.dta")).constData()), 0);
    EXPECT_FALSE(append("l.dta", ".dta", "LAST", "x;").failed());
    EXPECT_FALSE(append("d.dta", ".dta", "DOG", "pes;").failed());
    EXPECT_TRUE(QFileInfo(data.file("l.dta")).isSymLink() &&
                QFileInfo(data.file("d.dta")).isSymLink());
    EXPECT_EQ(linesOf("real.dta"), lines({"LINK", "odkaz;", "LAST", "x;", "End"}));
    EXPECT_EQ(linesOf("gone.dta"), lines({"DOG", "pes;", "End"}));

    // A folder where the lock file belongs is named, and left as it was.
    ASSERT_TRUE(QDir(data.path()).mkdir("k.dta.lock"));
    EXPECT_EQ(append("k.dta", ".dta", "KEY", "klíč;").whyNot,
              u("soubor zámku k.dta.lock nelze použít: není to obyčejný soubor"));
    EXPECT_TRUE(QFileInfo(data.file("k.dta.lock")).isDir());
}

TEST_F(EntryAppenderTest, TheNewFileHasTheOldModeOwnerAndGroupOrNothingChanges)
{
    const QByteArray original("PEAR\r\nhru\x9aka;\r\nEnd\r\n");
    const QByteArray native = QFile::encodeName(data.file("p.dta"));
    auto status = [&] {
        struct stat info {
        };
        ::stat(native.constData(), &info);
        return info;
    };
    // Read-only by its mode bits is read-only for root too.
    data.writeBytes("p.dta", original);
    ::chmod(native.constData(), 0444);
    EXPECT_EQ(append("p.dta", ".dta", "PLUM", "x;").whyNot, u("soubor je jen pro čtení (p.dta)"));
    EXPECT_EQ(data.bytes("p.dta"), original);
    EXPECT_EQ(status().st_mode & 07777, 0444u);

    for (mode_t mode : {0464, 0664, 0600}) {
        ::chmod(native.constData(), 0644);
        data.writeBytes("p.dta", original);
        ::chmod(native.constData(), mode);
        if (geteuid() == 0) {
            ASSERT_EQ(::chown(native.constData(), 65534, 65534), 0);
        }
        const struct stat before = status();
        EXPECT_FALSE(append("p.dta", ".dta", "PLUM", "x;").failed()) << mode;
        const struct stat after = status();
        EXPECT_NE(after.st_ino, before.st_ino) << "a new copy was renamed into place";
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
    }

    // Another user who may write the file but cannot give the copy its owner leaves it be.
    if (geteuid() != 0)
        GTEST_SKIP() << "changing owners needs root";
    QFile::remove(data.file("p.dta"));
    data.writeBytes("p.dta", original);
    ::chmod(native.constData(), 0666);
    ::chmod(QFile::encodeName(data.dir.path()).constData(), 0777);
    EXPECT_TRUE(asUnprivileged([&] {
                    return append("p.dta", ".dta", "PLUM", "x;").whyNot;
                }).contains(u("vlastníka")));
    EXPECT_EQ(data.bytes("p.dta"), original);
    EXPECT_EQ(status().st_uid, 0u);
}

TEST_F(EntryAppenderTest, OnlyALiveHolderMakesALearningWait)
{
    data.writeLines("p.dta", lines({"PEAR", "hruška;", "End"}));
    const QString lockName = data.file("p.dta.lock");
    // A copy killed while it held the lock, with the helper file of its stale-lock check.
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(lockName);
        lock.tryLock(0);
        QFile(lockName + ".rmlock").open(QIODevice::WriteOnly);
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    ASSERT_TRUE(QFile::exists(lockName));
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(append("p.dta", ".dta", "PLUM", "švestka;").failed());
    EXPECT_LT(waited.elapsed(), 5000) << "a dead holder's lock is taken over at once";
    EXPECT_FALSE(QFile::exists(lockName + ".rmlock"));

    // A holder that is alive: the learning waits until it lets go, then stores its word.
    std::latch held(1);
    std::thread holder([&] {
        FileLock lock(lockName);
        lock.lock(0);
        held.count_down();
        QThread::msleep(300);
    });
    held.wait();
    waited.start();
    EXPECT_FALSE(append("p.dta", ".dta", "PECAN", "pekan;").failed());
    EXPECT_GE(waited.elapsed(), 250);
    holder.join();
    EXPECT_EQ(linesOf("p.dta").mid(4), lines({"PECAN", "pekan;", "End"}));
}

// Fails each file-system call of one learning in turn, or kills the learning there: the file is
// then either as it was or holds exactly the new entry, with its mode, and the outcome says
// which; the next learning leaves nothing beside the file, whatever the first one left.
TEST_F(EntryAppenderTest, EveryFailingFileSystemCallLeavesTheOldFileOrTheNewOne)
{
    const QByteArray original("APPLE\r\njablko;\r\nEnd\r\n");
    const QByteArray learned("APPLE\r\njablko;\r\nAX0\r\nx;\r\nEnd\r\n");
    const QByteArray native = QFile::encodeName(data.file("a.dta"));
    const auto onlyTheFile = [&] {
        return QDir(data.path()).entryList(QDir::Files | QDir::Hidden | QDir::System) ==
               QStringList{"a.dta"};
    };
    auto learnFailing = [&](int at, int error) {
        QDir(data.path()).removeRecursively();
        QDir().mkpath(data.path());
        data.writeBytes("a.dta", original);
        ::chmod(native.constData(), 0640);
        QProcess worker;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_PRELOAD", FAULT_SHIM);
        env.insert("FAULT_AT", QString::number(at));
        env.insert("FAULT_ERRNO", QString::number(error));
        worker.setProcessEnvironment(env);
        worker.start(LEARN_WORKER, {data.file("a.dta"), ".dta", "AX", "1"});
        worker.waitForFinished(60000);
        EXPECT_EQ(worker.exitStatus(), error < 0 ? QProcess::CrashExit : QProcess::NormalExit);
        return QString::fromUtf8(worker.readAllStandardOutput()).split('\n');
    };
    const QStringList clean = learnFailing(0, EIO);
    ASSERT_GE(clean.size(), 3);
    ASSERT_EQ(clean[0], "stored");
    const QStringList calls = clean[2].split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(clean[1], QString("calls %1").arg(calls.size()));
    // The rename reaches the disk: the directory is flushed after it.
    EXPECT_GT(calls.lastIndexOf("fsync-directory"), calls.indexOf("rename"));

    for (int at = 1; at <= calls.size(); ++at) {
        for (const int error : {EIO, -SIGKILL}) {
            const QStringList outcome = learnFailing(at, error);
            const std::string call = calls[at - 1].toStdString() + (error < 0 ? " killed" : "");
            struct stat info {
            };
            ::stat(native.constData(), &info);
            EXPECT_EQ(info.st_mode & 07777, 0640u) << call;
            const QByteArray bytes = data.bytes("a.dta");
            if (outcome[0] == "stored" || (error < 0 && bytes == learned)) {
                EXPECT_EQ(bytes, learned) << call;
            } else {
                EXPECT_EQ(bytes, original) << call << ": " << qPrintable(outcome[0]);
                EXPECT_FALSE(outcome[0].contains(u("neexistuje"))) << call;
            }
            EXPECT_FALSE(append("a.dta", ".dta", "AY", "y;").failed()) << call;
            EXPECT_TRUE(onlyTheFile()) << call;
        }
    }
    const QStringList full = learnFailing(calls.indexOf("write") + 1, ENOSPC);
    EXPECT_EQ(full[0], u("refused: disk je plný (a.dta)"));
    const QStringList readOnly =
        learnFailing(calls.lastIndexOf("open", calls.indexOf("write")) + 1, EACCES);
    EXPECT_EQ(readOnly[0], u("refused: do složky slovníku nelze zapisovat (a.dta)"));
    const QStringList noLocks = learnFailing(calls.indexOf("flock") + 1, ENOLCK);
    EXPECT_EQ(noLocks[0],
              u("refused: soubor zámku a.dta.lock nelze použít: disk neumí soubory zamykat"));
    EXPECT_TRUE(onlyTheFile());
}
