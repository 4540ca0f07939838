// slovnik-import as a user runs it: what it prints, how it exits, what it leaves behind.
#include "TranslationRun.h"

#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "dictionary/WordSplitter.h"
#include "support/LetterFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <gtest/gtest.h>
#include <unistd.h>

namespace
{

const QString Tool = QStringLiteral(SLOVNIK_IMPORT_TOOL);
const QString Fixtures = QStringLiteral(SLOVNIK_TEST_DATA "/dictd/");

struct ToolRun {
    int exitCode = -1;
    QString output; // stdout and stderr
};

ToolRun run(const QStringList& arguments, bool unprivileged = false)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (unprivileged && geteuid() == 0) {
        // 99: this machine cannot run the tool as "nobody" (its path may be closed to others).
        process.setChildProcessModifier([tool = QFile::encodeName(Tool)] {
            if (setgid(65534) != 0 || setuid(65534) != 0 || access(tool.constData(), X_OK) != 0)
                _exit(99);
        });
    }
    process.start(Tool, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    const QByteArray bytes = process.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    EXPECT_FALSE(utf8.hasError()) << bytes.toStdString();
    // UTF-8 read as Latin-1 ("Ä\u008d" for "č"), and Qt's or the system's English texts.
    for (const char* wrong : {"Ã", "Ä", "Å", "Â", "\xef\xbf\xbd", "Usage", "Options", "Displays",
                              "Unknown", "Missing", "No such", "denied"})
        EXPECT_FALSE(text.contains(u(wrong))) << wrong << " in:\n" << text.toStdString();
    return {process.exitCode(), text};
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray fixture(const char* name)
{
    QFile file(Fixtures + u(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ImportTool, SpeaksCzechThroughoutAndTellsItsVersion)
{
    const ToolRun help = run({u("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* text : {"Použití:", "Volby:", "Vypíše tuto nápovědu.", "--english-czech"})
        EXPECT_TRUE(help.output.contains(u(text))) << text;
    EXPECT_EQ(run({u("--version")}).output, u("slovnik-import " SLOVNIK_VERSION "\n"));

    const ToolRun unknown = run({u("--bogus")});
    EXPECT_NE(unknown.exitCode, 0);
    EXPECT_TRUE(unknown.output.contains(u("Neznámá volba 'bogus'")))
        << unknown.output.toStdString();
    EXPECT_NE(run({u("-e")}).exitCode, 0);
    const ToolRun none = run({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.output.startsWith(u("Zadejte aspoň jeden slovník")));
    EXPECT_EQ(run({u("-i"), u("-c"), Fixtures + u("ces-eng")}).exitCode, 2);
}

// Each broken or misdirected dictionary gets one Czech line naming its file, exit status 1,
// and nothing is written, also when another dictionary of the same run is sound.
TEST(ImportTool, RefusesBrokenOrMisdirectedDictionariesAndWritesNothing)
{
    QTemporaryDir dir;
    const QString d = dir.path() + u("/");
    const QByteArray index = fixture("eng-ces.index");
    const QByteArray zipped = fixture("eng-ces.dict.dz");
    const qsizetype lastLines = index.lastIndexOf('\n', index.lastIndexOf('\n', index.size() - 2));
    writeFile(d + u("cut.index"), index.first(lastLines + 1));
    writeFile(d + u("cut.dict.dz"), zipped);
    writeFile(d + u("empty.index"), "");
    writeFile(d + u("empty.dict.dz"), zipped);
    writeFile(d + u("short.index"), index);
    writeFile(d + u("short.dict.dz"), zipped.first(zipped.size() / 2));
    writeFile(d + u("plain.index"), index);
    writeFile(d + u("plain.dict.dz"), fixture("eng-ces-plain.dict"));
    writeFile(d + u("far.index"), "word\tA\tZ\n");
    writeFile(d + u("far.dict"), "word\nslovo\n");
    writeFile(d + u("bad.index"), "word\tA\t*\n");
    writeFile(d + u("bad.dict"), "word\nslovo\n");
    writeFile(d + u("nodata.index"), index);

    const QString eng = Fixtures + u("eng-ces");
    const QString ces = Fixtures + u("ces-eng");
    const struct {
        QStringList arguments;
        QStringList named; // files the message must name
        const char* says;
    } cases[] = {
        {{u("-e"), d + u("cut")}, {d + u("cut.index")}, "je neúplný (asi useknutý)"},
        {{u("-e"), d + u("empty")}, {d + u("empty.index")}, "neobsahuje žádné heslo"},
        {{u("-e"), eng, u("-c"), d + u("short")},
         {d + u("short.dict.dz")},
         "je poškozený: komprimovaná data končí předčasně"},
        {{u("-e"), d + u("plain")}, {d + u("plain.dict.dz")}, "není komprimovaný formátem dictzip"},
        {{u("-e"), d + u("far")}, {d + u("far.dict")}, "ukazuje za konec dat"},
        {{u("-e"), d + u("bad")}, {d + u("bad.index")}, "chybný řádek 1 indexu"},
        {{u("-e"), d + u("nodata.index")},
         {d + u("nodata.dict.dz"), d + u("nodata.dict")},
         "chybí data slovníku"},
        {{u("-e"), d + u("none")},
         {d + u("none.index"), d + u("none.dict.dz"), d + u("none.dict")},
         "neexistuje"},
        {{u("-e"), ces, u("-i")}, {ces + u(".index")}, "vypadá jako česko-anglický slovník"},
        {{u("-c"), eng}, {eng + u(".index")}, "vypadá jako anglicko-český slovník"},
    };
    for (const auto& c : cases) {
        const QString out = d + u("out");
        const ToolRun result = run(QStringList{u("-o"), out} + c.arguments);
        const std::string context = c.says + std::string("\n") + result.output.toStdString();
        const QString message = result.output.trimmed().section(u'\n', -1);
        EXPECT_EQ(result.exitCode, 1) << context;
        EXPECT_FALSE(result.output.contains(u("Složka:"))) << context;
        EXPECT_TRUE(message.contains(u(c.says))) << context;
        for (const QString& file : c.named)
            EXPECT_TRUE(message.contains(file)) << file.toStdString() << "\n" << context;
        EXPECT_FALSE(QFileInfo::exists(out)) << context;
    }
}

TEST(ImportTool, AFolderItCannotWriteIsToldInOneLineBeforeAnyWork)
{
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther);
    writeFile(dir.filePath(u("file")), "x");
    const QStringList source = {u("-e"), Fixtures + u("eng-ces")};

    const ToolRun underFile = run(QStringList{u("-o"), dir.filePath(u("file/out"))} + source);
    EXPECT_EQ(underFile.exitCode, 1);
    EXPECT_EQ(underFile.output, u("Složku %1 nelze vytvořit: %2 není složka, ale soubor.\n")
                                    .arg(dir.filePath(u("file/out")), dir.filePath(u("file"))));

    const QString locked = dir.filePath(u("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    QFile::setPermissions(locked,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const ToolRun readOnly = run(QStringList{u("-o"), locked} + source, true);
    if (readOnly.exitCode == 99)
        GTEST_SKIP() << "cannot run the tool as an unprivileged user";
    EXPECT_EQ(readOnly.exitCode, 1);
    EXPECT_EQ(readOnly.output,
              u("Do složky %1 nelze zapisovat: chybí oprávnění k zápisu.\n").arg(locked));
    EXPECT_TRUE(QDir(locked).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

// The letter files come with the credits of their sources, kept once however often one
// imports into the folder.
TEST(ImportTool, WritesTheSourcesCreditsBesideTheLetterFiles)
{
    QTemporaryDir dir;
    const QStringList arguments = {u("-o"),      dir.path(),
                                   u("-e"),      Fixtures + u("eng-ces"),
                                   u("-c"),      Fixtures + u("ces-eng.index"),
                                   u("--invert")};
    const ToolRun first = run(arguments);
    EXPECT_EQ(first.exitCode, 0) << first.output.toStdString();
    EXPECT_TRUE(first.output.contains(u("autoři a licence zdrojů: ZDROJE.txt")));
    QFile credits(dir.filePath(u("ZDROJE.txt")));
    ASSERT_TRUE(credits.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(credits.readAll());
    credits.close();
    for (const char* part : {"Test English-Czech (eng-ces)", "Copyright (C) 2024 test authors.",
                             "GNU General Public License ver. 2.0", "Test Czech-English (ces-eng)",
                             "Slovník o svých autorech ani licenci nic neuvádí."})
        EXPECT_TRUE(text.contains(u(part))) << part << "\n" << text.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 53);

    EXPECT_EQ(run(arguments).exitCode, 0);
    ASSERT_TRUE(credits.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(credits.readAll()), text);
}

namespace
{

QByteArray base64Number(quint64 value)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QByteArray out;
    do {
        out.prepend(digits[value % 64]);
        value /= 64;
    } while (value > 0);
    return out;
}

// A dictd dictionary of (index head, article) pairs, its data file plain.
void writeDictd(const QString& base, const QList<std::pair<QString, QString>>& articles)
{
    QByteArray index;
    QByteArray data;
    for (const auto& [head, body] : articles) {
        const QByteArray bytes = body.toUtf8();
        index += head.toUtf8() + '\t' + base64Number(static_cast<quint64>(data.size())) + '\t' +
                 base64Number(static_cast<quint64>(bytes.size())) + '\n';
        data += bytes;
    }
    writeFile(base + u(".index"), index);
    writeFile(base + u(".dict"), data);
}

// Articles of random pieces; one piece in five is hostile: a line break, a control character,
// a character that Windows-1250 lacks, a separator.
QList<std::pair<QString, QString>> randomArticles(QRandomGenerator& random,
                                                  const QStringList& headPieces,
                                                  const QStringList& meaningPieces)
{
    const QStringList hostile = {u("\r"),   u("\n"),   u("\r\n"),   u("\t"),     u("\x01"),
                                 u("\x1b"), u("\x7f"), u("\u0085"), u("\u2028"), u("\u2029"),
                                 u("ñ"),    u("ø"),    u("😀"),      u(" "),      u(";"),
                                 u(", "),   u(" ("),   u(")"),      u("-")};
    const auto pick = [&](const QStringList& pieces, int most) {
        QString text;
        for (int n = 1 + random.bounded(most); n > 0; --n) {
            const QStringList& from = random.bounded(5) == 0 ? hostile : pieces;
            text += from[random.bounded(from.size())];
        }
        return text;
    };
    QList<std::pair<QString, QString>> articles;
    for (int i = 0; i < 300; ++i) {
        const QString head = pick(headPieces, 3);
        QString indexHead = head;
        indexHead.remove(u'\t').remove(u'\n'); // the index itself cannot hold these
        articles.append({indexHead, head + u(" <n>\n") + pick(meaningPieces, 6) + u("\n")});
    }
    return articles;
}

} // namespace

// Line breaks, control characters and characters Windows-1250 lacks, in heads and meanings:
// whatever the sources hold, every file written reads back pair for pair, and the lookup
// finds each head word with its own translation and nothing else.
TEST(ImportTool, NoInputMakesItWriteALetterFileTheLookupMisreads)
{
    QTemporaryDir dir;
    const QString d = dir.path() + u("/");
    QRandomGenerator random(1250);
    QList<std::pair<QString, QString>> english = {
        {u("water\rfall"), u("vodopád\n")}, // no headword line: the index head is the head
        {u("tomorrow"), u("tomorrow\nzítra, mañana\n")},
        {u("tea"), u("tea\nčaj\u2028čajový\x07\n")},
        {u("end"), u("end\nend\n")},
    };
    english += randomArticles(random, {u("wa"), u("ter"), u("ho"), u("use"), u("x")},
                              {u("vo"), u("da"), u("č"), u("ř"), u("ů"), u("[chem] ")});
    writeDictd(d + u("eng"), english);
    writeDictd(d + u("ces"), randomArticles(random, {u("vo"), u("dá"), u("čaj"), u("ř")},
                                            {u("wa"), u("ter"), u("ho"), u("end")}));

    const ToolRun result =
        run({u("-o"), d + u("out"), u("-e"), d + u("eng"), u("-c"), d + u("ces"), u("-i")});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    for (const char* told : {"vynechané významy se znaky, které písmenový soubor neuloží",
                             "heslo se zalomením řádku nebo jiným řídicím znakem",
                             "heslo, které by se četlo jako konec souboru"})
        EXPECT_TRUE(result.output.contains(u(told))) << told << "\n" << result.output.toStdString();

    const QString out = d + u("out/");
    qsizetype entries = 0;
    for (const QString& ext : {LetterFile::EnglishToCzech, LetterFile::CzechToEnglish}) {
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            const QString name = QLatin1Char(letter) + ext;
            const QByteArray bytes = LetterFile::readFile(out + name).value_or(QByteArray());
            const LetterFile::Entries read = LetterFile::readEntries(bytes, ext);
            QStringList pairs;
            QStringList words;
            QStringList expected;
            for (const LetterFile::Entry& entry : read.entries) {
                pairs << entry.head << entry.translation;
                EXPECT_EQ(WordSplitter::split(entry.head), QStringList{entry.head})
                    << name.toStdString();
                EXPECT_EQ(LetterFile::fileLetter(entry.head), QString(QLatin1Char(letter)));
                words << entry.head.toLower();
                expected << words.constLast() + TranslateHandler::ResultSeparator +
                                entry.translation.toLower();
            }
            // Without a terminator of its own, a .cze lookup of "end" also meets "end" / "end".
            if (ext == LetterFile::CzechToEnglish && words.contains(u("end")))
                expected.insert(words.indexOf(u("end")) + 1,
                                u("end") + TranslateHandler::ResultSeparator + u("end"));
            EXPECT_EQ(LetterFile::splitLines(bytes), pairs + LetterFile::terminatorLines(ext))
                << name.toStdString();
            if (!words.isEmpty()) {
                EXPECT_EQ(translate(out, ext, words.join(u' ')).lines, expected)
                    << name.toStdString();
            }
            entries += read.entries.size();
        }
    }
    EXPECT_GT(entries, 100);
    EXPECT_EQ(translate(out, LetterFile::EnglishToCzech, u("tomorrow tea")).lines,
              lines({"tomorrow ........... zítra;", "tea ........... čaj;"}));
    EXPECT_EQ(translate(out, LetterFile::CzechToEnglish, u("vodopád")).lines,
              lines({"vodopád ........... Nenalezeno."}));
}
