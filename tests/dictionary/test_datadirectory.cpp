// Where the letter files are read when the data directory cannot be made or written.
#include "dictionary/DataDirectory.h"
#include "support/LetterFiles.h"
#include "support/Unprivileged.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace
{

QString describe(const DataDirectory::Prepared& prepared, const QString& directory)
{
    return prepared.dataPath + '\n' + prepared.notice() + '\n' +
           QString::number(QDir(directory).entryList(QDir::Files | QDir::Hidden).size());
}

} // namespace

TEST(DataDirectoryTest, ReadOnlyDirectoriesAreReadAndSayWhyNothingCanBeLearned)
{
    const QString seen = asUnprivileged([] {
        TempDataDir home;
        QDir(home.path()).mkdir("empty");
        QDir(home.path()).mkdir("own");
        home.writeLines("own/h.dta", {"HORSE", "kůň;", "End"});
        for (const char* name : {"empty", "own"})
            QFile::setPermissions(home.file(name), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const QString empty =
            describe(DataDirectory(home.file("empty/")).prepare(), home.file("empty"));
        const QString own = describe(DataDirectory(home.file("own/")).prepare(), home.file("own"));
        for (const char* name : {"empty", "own"})
            QFile::setPermissions(home.file(name), QFileDevice::ReadOwner |
                                                       QFileDevice::WriteOwner |
                                                       QFileDevice::ExeOwner);
        return home.dir.path() + '\n' + empty + '\n' + own;
    });
    const QStringList lines = seen.split('\n');
    ASSERT_EQ(lines.size(), 7) << seen.toStdString();
    const QString home = lines[0];
    EXPECT_EQ(lines.mid(1), (QStringList{
                                DataDirectory::Embedded,
                                "Nová slova nelze do slovníku ukládat: do složky " + home +
                                    "/empty nelze zapisovat (přístup odepřen). Slova se hledají "
                                    "ve slovníku, který je součástí programu.",
                                "0",
                                home + "/own/",
                                "Nová slova nelze do slovníku ukládat: do složky " + home +
                                    "/own nelze zapisovat (přístup odepřen).",
                                "1",
                            }));
}

// A seeding that fails halfway leaves the directory empty, so that the next start seeds it
// whole, and this one reads the seed source.
TEST(DataDirectoryTest, SeedsAWritableEmptyDirectoryWholeOrNotAtAll)
{
    TempDataDir halfSource;
    halfSource.writeLines("a.dta", {"APPLE", "jablko;", "End"});
    halfSource.writeLines("b.dta", {"BOOK", "kniha;", "End"});
    TempDataDir target;
    const auto prepared = DataDirectory(target.path(), halfSource.path()).prepare();
    EXPECT_EQ(describe(prepared, target.path()),
              halfSource.path() +
                  "\nNová slova nelze do slovníku ukládat: vestavěný slovník nemá soubor c.dta. "
                  "Slova se hledají ve slovníku, který je součástí programu.\n0");
}
