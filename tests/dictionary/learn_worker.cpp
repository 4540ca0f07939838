// Learns `count` words named <prefix><n> into one letter file, one rewrite per word, as a
// running copy of the program would. Exits non-zero at the first word it could not store.
// Preloaded with the fault shim (FAULT_AT=N, FAULT_ERRNO=e), it fails the Nth file-system
// call of each learning and prints the outcome, the calls made and their trace.
#include "dictionary/EntryAppender.h"
#include "dictionary/FileWriter.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
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

    using Arm = void (*)(int, int);
    const auto arm = reinterpret_cast<Arm>(dlsym(RTLD_DEFAULT, "fault_shim_arm"));
    const auto disarm = reinterpret_cast<int (*)()>(dlsym(RTLD_DEFAULT, "fault_shim_disarm"));
    const auto trace = reinterpret_cast<const char* (*)()>(dlsym(RTLD_DEFAULT, "fault_shim_trace"));
    const char* failAt = std::getenv("FAULT_AT");
    const char* failWith = std::getenv("FAULT_ERRNO");

    auto lines = std::make_unique<LetterFile::LineBuffer>();
    SafeFileWriter writer;
    for (int n = 0; n < count; ++n) {
        if (arm)
            arm(failAt ? std::atoi(failAt) : 0, failWith ? std::atoi(failWith) : 5);
        const auto outcome = LetterFile::appendEntry(
            path, ext, {prefix + QString::number(n), QStringLiteral("x;")}, *lines, writer);
        if (arm) {
            const int calls = disarm();
            std::printf("%s\ncalls %d\n%s\n",
                        outcome.failed() ? qPrintable("refused: " + outcome.whyNot) : "stored",
                        calls, trace());
        }
        if (outcome.failed()) {
            std::fprintf(stderr, "%s\n", qPrintable(outcome.whyNot));
            return 1;
        }
    }
    return 0;
}
