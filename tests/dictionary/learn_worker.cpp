// Learns `count` words named <prefix><n> into one letter file, one rewrite per word, as a
// running copy of the program would. Exits non-zero at the first word it could not store.
#include "dictionary/EntryAppender.h"
#include "dictionary/FileWriter.h"

#include <QString>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: learn_worker FILE EXT PREFIX COUNT\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString ext = QString::fromLatin1(argv[2]);
    const QString prefix = QString::fromLatin1(argv[3]);
    const int count = QString::fromLatin1(argv[4]).toInt();

    auto lines = std::make_unique<LetterFile::LineBuffer>();
    SafeFileWriter writer;
    for (int n = 0; n < count; ++n) {
        const auto outcome = LetterFile::appendEntry(
            path, ext, {prefix + QString::number(n), QStringLiteral("x;")}, *lines, writer);
        if (outcome.failed()) {
            std::fprintf(stderr, "%s\n", qPrintable(outcome.whyNot));
            return 1;
        }
    }
    return 0;
}
