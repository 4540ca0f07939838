// Prints what the dictionary's operations cost beside their floors, both measured in the same
// run: min and median of several runs and the ratio of the medians. Not a test: run it by hand
// on a quiet machine and read the figures.
//
//   a  translation pass of 1024 English words on the imported dictionary
//      floor: LC_ALL=C grep -F -x -c -f heads over the same letter files, where the heads are
//      the words raised and encoded in Windows-1250 as head lines are written; the matches
//      grep counts are compared with the entries the program's lookup finds
//   b  the same on letter files of 32,767 entries, made here in a temporary directory
//   c  learning one word into a 32,767-entry file (LetterFile::appendEntry)
//      floor: read + write + fsync + rename of that file in plain C
//   d  browse window: letter click until the listing is painted, on the largest imported
//      letter file (p.cze), on the largest English one (c.dta) and on a file of 32,767
//      entries; also the program's own reading and building of the whole listing, which
//      should cost about what the floor does
//      floor: reading the file and building its listing in one pass, written here on its own
//      as plain table-driven C++ (the listing it builds is compared with the program's)
//
// Arguments pick rows ("translate_bench d" runs only d); none runs them all.
#include "browse/Listing.h"
#include "browse/ListingBox.h"
#include "browse/OknoList.h"
#include "dictionary/EntryAppender.h"
#include "dictionary/FileReader.h"
#include "dictionary/FileWriter.h"
#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "dictionary/WordSplitter.h"
#include "speech/SpeechControl.h"
#include "state/Module1.h"
#include "translate/TranslateHandler.h"
#include "translate/TranslationView.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <spawn.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{

constexpr int FullFile = 32767; // entries a letter file may hold

const QString ImportedDictionary = QStringLiteral(SLOVNIK_IMPORTED_DICTIONARY "/");
// English prose that every Debian system has.
const QString EnglishProse = QStringLiteral("/usr/share/common-licenses/GPL-3");

struct Sample {
    std::vector<double> ms;
    double min() const { return *std::min_element(ms.begin(), ms.end()); }
    double median() const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
};

double elapsedMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void printHeader()
{
    std::printf("%-48s %17s %17s %13s  %s\n", "", "program min/med", "floor min/med",
                "ratio min/med", "goal");
}

void printRow(const char* what, const Sample& program, const Sample& floor, const char* goal)
{
    std::printf("%-48s %7.2f /%7.2f %7.2f /%7.2f %5.1fx /%5.1fx  %s\n", what, program.min(),
                program.median(), floor.min(), floor.median(), program.min() / floor.min(),
                program.median() / floor.median(), goal);
}

// Runs `program` and `floor` alternately, so that the machine's load falls on both alike.
void compare(const char* what, int runs, const std::function<double()>& program,
             const std::function<double()>& floor, const char* goal)
{
    program();
    floor();
    Sample p;
    Sample f;
    for (int run = 0; run < runs; ++run) {
        p.ms.push_back(program());
        f.ms.push_back(floor());
    }
    printRow(what, p, f, goal);
}

// The time a child process takes from its start to its end; its output goes to `output`.
double runProcessMs(const std::vector<QByteArray>& arguments,
                    const QByteArray& output = QByteArrayLiteral("/dev/null"))
{
    std::vector<char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    std::vector<QByteArray> environment = {"LC_ALL=C", "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (QByteArray& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        std::perror("posix_spawnp");
        return 0;
    }
    int status = 0;
    waitpid(child, &status, 0);
    const double ms = timer.nsecsElapsed() / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    return ms;
}

class QuietView final : public TranslationView
{
  public:
    QString inputText() const override { return input; }
    void setInputText(const QString& text) override { input = text; }
    void setOutputText(const QString& text) override { output = text; }
    void setMousePointer(MousePointer) override {}
    QString input, output;
};

class NoAnswers final : public TranslationQuestion
{
  public:
    QString ask(const QString&, const QString&) override { return {}; }
};

// One press of the translate button over `dataPath`.
double pressMs(const QString& dataPath, const QString& text, HeadIndex& heads)
{
    Module1::DataPath = dataPath;
    Module1::DictExt = LetterFile::EnglishToCzech;
    QuietView view;
    SilentSpeech speech;
    NoAnswers answers;
    SafeFileWriter writer;
    TranslateHandler handler(view, speech, answers, writer, heads);
    view.input = text;
    return elapsedMs([&] { handler.run(); });
}

// The sum of the counts that grep -c printed, one "file:count" line per file.
qint64 grepCount(const QString& outputFile)
{
    QFile output(outputFile);
    qint64 total = 0;
    if (output.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : output.readAll().split('\n'))
            total += line.mid(line.lastIndexOf(':') + 1).toLongLong();
    }
    return total;
}

// Rows a and b: a press with nothing read before, a press after it, and grep.
void comparePasses(const char* what, const QString& dataPath, const QStringList& words,
                   const QTemporaryDir& scratch)
{
    QSet<QString> unique;
    QStringList files;
    for (const QString& word : words) {
        const QString lowered = word.toLower();
        unique.insert(lowered);
        const QString file = LetterFile::fileName(dataPath, lowered, LetterFile::EnglishToCzech);
        if (QFile::exists(file) && !files.contains(file))
            files.append(file);
    }
    // Head lines as the program writes them: raised, in Windows-1250, ending in CR LF.
    QStringEncoder encoder("windows-1250");
    QByteArray heads;
    for (const QString& word : unique)
        heads += encoder(word.toUpper()) + "\r\n"; // grep keeps the CR of a line's CR LF
    const QString headsFile = scratch.filePath(QStringLiteral("heads"));
    QFile out(headsFile);
    if (out.open(QIODevice::WriteOnly))
        out.write(heads);
    out.close();

    std::vector<QByteArray> grep = {
        "grep", "-F", "-x", "-c", "-H", "-f", QFile::encodeName(headsFile)};
    for (const QString& file : files)
        grep.push_back(QFile::encodeName(file));
    const QString text = words.join(u' ');
    const QString counts = scratch.filePath(QStringLiteral("counts"));
    const auto floor = [&] { return runProcessMs(grep, QFile::encodeName(counts)); };

    // What the program's lookup finds for the same words.
    HeadIndex index;
    index.beginPass();
    qint64 found = 0;
    for (const QString& word : unique) {
        const QString file = LetterFile::fileName(dataPath, word, LetterFile::EnglishToCzech);
        found += index.translationsOf(file, word).size();
    }
    floor();
    std::printf("%s: the lookup finds %lld entries, grep %lld head lines%s\n", what,
                static_cast<long long>(found), static_cast<long long>(grepCount(counts)),
                found == grepCount(counts) ? "" : "  <-- DIFFERENT");

    const std::string first = std::string(what) + ", first press";
    compare(
        first.c_str(), 15,
        [&] {
            HeadIndex heads;
            return pressMs(dataPath, text, heads);
        },
        floor, "<= 2x");
    HeadIndex kept;
    const std::string later = std::string(what) + ", later press";
    compare(
        later.c_str(), 15, [&] { return pressMs(dataPath, text, kept); }, floor, "<= 2x");
}

QString randomWord(QRandomGenerator& random, QChar first)
{
    QString word(first);
    const int length = random.bounded(2, 10);
    for (int i = 0; i < length; ++i)
        word += QChar('a' + random.bounded(26));
    return word;
}

// 26 letter files of `entries` entries each; some of their heads are returned in `known`.
bool writeSyntheticFiles(const QString& dir, int entries, QStringList& known)
{
    QRandomGenerator random(42);
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        QStringList lines;
        for (int i = 0; i < entries; ++i) {
            const QString word = randomWord(random, QChar(letter));
            if (i % 300 == 0)
                known.append(word);
            lines << word.toUpper() << word + QStringLiteral(" překlad; další význam;");
        }
        lines << QStringLiteral("End");
        const QString path = dir + QLatin1Char(letter) + QStringLiteral(".dta");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(LetterFile::joinLines(lines)) < 0)
            return false;
        file.close();
        // Dated an hour back, as a dictionary that has been there a while: the head index reads
        // a file changed moments ago again at every press.
        const QDateTime written = QDateTime::currentDateTime().addSecs(-3600);
        if (!file.open(QIODevice::ReadWrite) ||
            !file.setFileTime(written, QFileDevice::FileModificationTime))
            return false;
    }
    return true;
}

// What learning cannot do without: read the file, write a new copy, flush it, rename it.
double plainRewriteMs(const QByteArray& path)
{
    return elapsedMs([&] {
        std::vector<char> bytes;
        const int in = ::open(path.constData(), O_RDONLY);
        char buffer[65536];
        for (ssize_t n; (n = ::read(in, buffer, sizeof buffer)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + n);
        ::close(in);
        const QByteArray temporary = path + ".new";
        const int out = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::write(out, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
            std::perror("write");
        ::fsync(out);
        ::close(out);
        ::rename(temporary.constData(), path.constData());
    });
}

void compareLearning(const QString& dir)
{
    const QString path = dir + QStringLiteral("learn.dta");
    const QByteArray floorPath = QFile::encodeName(dir + QStringLiteral("floor.dta"));
    QStringList lines;
    QRandomGenerator random(7);
    for (int i = 0; i < FullFile - 1; ++i)
        lines << randomWord(random, u'l').toUpper() << QStringLiteral("překlad;");
    const QByteArray original = LetterFile::joinLines(lines << QStringLiteral("End"));
    const auto restore = [&](const QString& file) {
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(original);
    };
    restore(QFile::decodeName(floorPath));

    SafeFileWriter writer;
    compare(
        "c  learn one word, 32,767-entry file", 15,
        [&] {
            restore(path);
            double ms = 0;
            const LetterFile::AppendOutcome outcome = [&] {
                QElapsedTimer timer;
                timer.start();
                auto result =
                    LetterFile::appendEntry(path, LetterFile::EnglishToCzech,
                                            {QStringLiteral("LEARNED"), QStringLiteral("naučené;")},
                                            Module1::Lines, writer);
                ms = timer.nsecsElapsed() / 1e6;
                return result;
            }();
            if (outcome.failed() || outcome.added != 1)
                std::printf("learning failed: %s\n", qPrintable(outcome.whyNot));
            return ms;
        },
        [&] { return plainRewriteMs(floorPath); }, "<= 3x");
}

// Counts the paint events of a widget.
class PaintWatch final : public QObject
{
  public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

// The browse listing of a letter file, built here without the program's code, in one pass
// as fast as plain C++ makes it: each byte of the code page decoded (and, in a head line,
// raised) through a table into a string sized once; a head line raised, the separator, the
// translation line as it is, CR LF; a head or translation line that lowers to "end" ends the
// listing, and a head line without its translation line gives none.
class FloorListing
{
  public:
    FloorListing()
    {
        for (int byte = 0; byte < 256; ++byte) {
            QStringDecoder decoder("windows-1250");
            const char raw = char(byte);
            const QString text = decoder(QByteArrayView(&raw, 1));
            plain[byte] = text.size() == 1 ? text[0] : QChar(byte);
            const QString upper = QString(plain[byte]).toUpper();
            raised[byte] = upper[0];
            if (upper.size() > 1)
                raisedTail[byte] = upper.mid(1); // ß raises to SS
        }
    }

    std::optional<QString> build(const QByteArray& bytes) const
    {
        // Each byte gives at most two characters; each line gains the separator and CR LF.
        QString listing(bytes.size() * 2 + 16, Qt::Uninitialized);
        QChar* out = listing.data();
        const char* pos = bytes.constData();
        const char* const end = pos + bytes.size();
        const auto nextLine = [&](const char*& begin, const char*& stop) {
            if (pos >= end)
                return false;
            begin = pos;
            stop = pos;
            while (stop < end && *stop != '\r' && *stop != '\n')
                ++stop;
            pos = stop < end && *stop == '\r' && stop + 1 < end && stop[1] == '\n' ? stop + 2
                                                                                   : stop + 1;
            return true;
        };
        const auto isEnd = [](const char* begin, const char* stop) {
            return stop - begin == 3 && (begin[0] | 0x20) == 'e' && (begin[1] | 0x20) == 'n' &&
                   (begin[2] | 0x20) == 'd';
        };
        const char *head, *headEnd, *translation, *translationEnd;
        while (nextLine(head, headEnd)) {
            if (isEnd(head, headEnd))
                break;
            if (!nextLine(translation, translationEnd))
                return std::nullopt;
            if (isEnd(translation, translationEnd))
                break;
            for (const char* c = head; c < headEnd; ++c) {
                const auto byte = static_cast<unsigned char>(*c);
                *out++ = raised[byte];
                for (const QChar more : raisedTail[byte])
                    *out++ = more;
            }
            for (const char c : std::string_view(" .......... "))
                *out++ = QLatin1Char(c);
            for (const char* c = translation; c < translationEnd; ++c)
                *out++ = plain[static_cast<unsigned char>(*c)];
            *out++ = QLatin1Char('\r');
            *out++ = QLatin1Char('\n');
        }
        listing.truncate(out - listing.constData());
        return listing;
    }

  private:
    std::array<QChar, 256> plain;
    std::array<QChar, 256> raised;
    std::array<QString, 256> raisedTail;
};

// The whole file in one read into a buffer of its size, as a reader that knows the size does.
QByteArray readWhole(const QByteArray& path)
{
    const int in = ::open(path.constData(), O_RDONLY);
    struct stat info {
    };
    if (in < 0 || ::fstat(in, &info) != 0) {
        if (in >= 0)
            ::close(in);
        return QByteArray();
    }
    QByteArray bytes(info.st_size, Qt::Uninitialized);
    qsizetype used = 0;
    for (ssize_t n;
         used < bytes.size() && (n = ::read(in, bytes.data() + used, bytes.size() - used)) > 0;)
        used += n;
    ::close(in);
    bytes.truncate(used);
    return bytes;
}

// Clicks on `letter` of the direction `direction` (0 English, 1 Czech) of the browse window over
// `dataPath`, each after a click on another letter, so that every timed click replaces a whole
// listing; the time to the first paint of the box against the floor.
void compareBrowsing(const char* what, const QString& dataPath, int direction, char letter)
{
    Module1::DataPath = dataPath;
    OknoList window;
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents();
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    auto* combo = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* text1 = window.findChild<ListingBox*>(QStringLiteral("Text1"));
    combo->setCurrentIndex(direction);
    PaintWatch watch;
    text1->viewport()->installEventFilter(&watch);

    const QString ext = direction == 0 ? LetterFile::EnglishToCzech : LetterFile::CzechToEnglish;
    const QByteArray file = QFile::encodeName(dataPath + QChar(letter).toLower() + ext);
    const FloorListing floorListing;
    const std::optional<QString> expected = floorListing.build(readWhole(file));

    Sample complete;
    const auto clickOn = [&](int row) {
        watch.paints = 0;
        QElapsedTimer timer;
        timer.start();
        list->setCurrentRow(row);
        while (watch.paints == 0)
            QApplication::processEvents();
        const double painted = timer.nsecsElapsed() / 1e6;
        while (text1->isFilling())
            QApplication::processEvents();
        complete.ms.push_back(timer.nsecsElapsed() / 1e6);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        return painted;
    };
    const int row = letter - 'A';
    const auto click = [&] {
        clickOn(row == 0 ? 1 : 0);
        complete.ms.pop_back();
        return clickOn(row);
    };
    // Built once before it is timed: right after a click has let go of a whole listing's
    // document, the first large allocations fault their pages in again, which is not the
    // building itself.
    const auto floor = [&] {
        floorListing.build(readWhole(file));
        return elapsedMs([&] { floorListing.build(readWhole(file)); });
    };
    // The program's own reading and building beside the floor's: equal work, so about 1x.
    const auto build = [&] {
        return elapsedMs([&] {
            Listing::of(LetterFile::readFile(QFile::decodeName(file)).value(), ext)->rest();
        });
    };
    compare(qPrintable(QStringLiteral("d  read + build listing, %1").arg(what)), 9, build, floor,
            "~1x");
    compare(qPrintable(QStringLiteral("d  click -> painted, %1").arg(what)), 9, click, floor,
            "<= 2x");
    complete.ms.erase(complete.ms.begin()); // the warm-up
    std::printf("   the whole listing in the box: min %.2f / median %.2f ms; %s\n", complete.min(),
                complete.median(),
                expected &&
                        text1->toPlainText() + QLatin1String("\n") ==
                            QString(*expected).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                    ? "the same listing as the floor's"
                    : "NOT the listing the floor built");
}

// What the head index holds after a pass has used every letter file of the given directions.
void printIndexMemory(const QString& dataPath, const QStringList& exts, const char* what)
{
    HeadIndex heads;
    heads.beginPass();
    qsizetype bytes = 0;
    for (const QString& ext : exts) {
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            const QString file = dataPath + QLatin1Char(letter) + ext;
            heads.translationsOf(file, QString(QLatin1Char(letter)));
            bytes += QFile(file).size();
        }
    }
    std::printf("head index of %s: %.1f MiB (the files themselves: %.1f MiB)\n", what,
                heads.memoryBytes() / 1048576.0, bytes / 1048576.0);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir scratch;
    const QString synthetic = scratch.filePath(QStringLiteral("synthetic/"));
    QStringList known;
    if (!QDir().mkpath(synthetic) || !writeSyntheticFiles(synthetic, FullFile, known)) {
        std::fprintf(stderr, "cannot write the synthetic letter files\n");
        return 1;
    }
    printHeader();
    const auto wanted = [&](char row) { return argc < 2 || QByteArray(argv[1]).contains(row); };
    const bool imported = QFile::exists(ImportedDictionary + QStringLiteral("a.dta"));

    QFile prose(EnglishProse);
    if (!wanted('a')) {
    } else if (imported && prose.open(QIODevice::ReadOnly)) {
        const QStringList words =
            WordSplitter::split(QString::fromUtf8(prose.readAll())).mid(0, Module1::MaxWords);
        comparePasses("a  1024 words, imported dictionary", ImportedDictionary, words, scratch);
    } else {
        std::printf("a  skipped: no imported dictionary or no %s\n", qPrintable(EnglishProse));
    }

    if (wanted('b')) {
        QRandomGenerator random(1);
        QStringList words;
        for (int i = 0; i < Module1::MaxWords; ++i)
            words.append(i % 4 == 0 ? randomWord(random, QChar('a' + random.bounded(26)))
                                    : known[random.bounded(known.size())]);
        comparePasses("b  1024 words, 32,767-entry files", synthetic, words, scratch);
    }
    if (wanted('c'))
        compareLearning(scratch.path() + QLatin1Char('/'));
    if (wanted('d')) {
        if (imported) {
            compareBrowsing("imported p.cze", ImportedDictionary, 1, 'P');
            compareBrowsing("imported c.dta", ImportedDictionary, 0, 'C');
        }
        compareBrowsing("32,767 entries", synthetic, 0, 'A');
    }

    if (!wanted('m'))
        return 0;
    if (imported)
        printIndexMemory(ImportedDictionary,
                         {LetterFile::EnglishToCzech, LetterFile::CzechToEnglish},
                         "the imported dictionary, 52 files");
    printIndexMemory(synthetic, {LetterFile::EnglishToCzech}, "26 files of 32,767 entries");
    return 0;
}
