// Prints how long learning one word into a letter file of 32,767 entries takes, beside its
// floor measured in the same run: plain C reading the file, writing a new copy, flushing it
// to the disk and renaming it into place. Not a test: run it by hand and read the figures.
// An optional argument names the directory to work in (its file system decides what a
// flush costs); by default a temporary directory.
#include "dictionary/EntryAppender.h"
#include "dictionary/FileWriter.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int Entries = 32767;
constexpr int Runs = 15;

QByteArray letterFile()
{
    QRandomGenerator random(7);
    QStringList lines;
    for (int i = 0; i < Entries; ++i) {
        QString word(QLatin1Char('P'));
        const int length = random.bounded(2, 10);
        for (int c = 0; c < length; ++c)
            word += QChar('A' + random.bounded(26));
        lines << word << word.toLower() + QStringLiteral(" překlad; význam;");
    }
    lines << QStringLiteral("End");
    return LetterFile::joinLines(lines);
}

bool put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The floor: read the whole file, write it with a few more bytes to a new file, flush, rename.
bool rawRewrite(const QByteArray& path)
{
    const int in = ::open(path.constData(), O_RDONLY);
    if (in < 0)
        return false;
    std::vector<char> bytes;
    char block[65536];
    for (ssize_t got; (got = ::read(in, block, sizeof block)) > 0;)
        bytes.insert(bytes.end(), block, block + got);
    ::close(in);
    static const char added[] = "PNEW\r\nnové;\r\nEnd\r\n";
    bytes.resize(bytes.size() - 5);
    bytes.insert(bytes.end(), added, added + sizeof added - 1);
    const QByteArray copy = path + ".new";
    const int out = ::open(copy.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0)
        return false;
    const bool written = ::write(out, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    const bool flushed = ::fsync(out) == 0;
    ::close(out);
    return written && flushed && ::rename(copy.constData(), path.constData()) == 0;
}

struct Figures {
    double min;
    double median;
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir temporary;
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    const QString path = dir + QStringLiteral("/p.dta");
    const QByteArray original = letterFile();

    auto lines = std::make_unique<LetterFile::LineBuffer>();
    SafeFileWriter writer;
    std::vector<double> program;
    std::vector<double> floor;
    std::vector<double> inMemory;
    QElapsedTimer timer;
    for (int run = 0; run < Runs; ++run) {
        // Each learning starts from the same 32,767 entries, in a file not touched since.
        if (!put(path, original))
            return 1;
        timer.start();
        const auto outcome = LetterFile::appendEntry(
            path, LetterFile::EnglishToCzech, {QStringLiteral("PNEW"), QStringLiteral("nové;")},
            *lines, writer);
        program.push_back(timer.nsecsElapsed() / 1e6);
        if (outcome.failed()) {
            std::fprintf(stderr, "learning failed: %s\n", qPrintable(outcome.whyNot));
            return 1;
        }

        if (!put(path, original))
            return 1;
        timer.start();
        if (!rawRewrite(QFile::encodeName(path)))
            return 1;
        floor.push_back(timer.nsecsElapsed() / 1e6);

        // The program's own work, without the file system: walk, terminator, new content.
        timer.start();
        const auto next = LetterFile::rewriteWith(
            original, LetterFile::EnglishToCzech,
            {{QStringLiteral("PNEW"), QStringLiteral("nové;")}}, QStringLiteral("p.dta"), *lines);
        inMemory.push_back(timer.nsecsElapsed() / 1e6);
        if (next.added != 1)
            return 1;
    }

    const Figures learned = figures(program);
    const Figures raw = figures(floor);
    std::printf("learn one word into a %d-entry file (%lld bytes), %d runs\n", Entries,
                static_cast<long long>(original.size()), Runs);
    std::printf("  program    min %7.2f ms  median %7.2f ms\n", learned.min, learned.median);
    std::printf("  floor      min %7.2f ms  median %7.2f ms  (read + write + fsync + rename)\n",
                raw.min, raw.median);
    const Figures memory = figures(inMemory);
    std::printf("  of which   min %7.2f ms  median %7.2f ms  (the rewrite in memory)\n", memory.min,
                memory.median);
    std::printf("  ratio      min %7.2f     median %7.2f     (goal <= 3)\n", learned.min / raw.min,
                learned.median / raw.median);
    return 0;
}
