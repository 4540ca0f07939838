// The memory the speech module adds to the program: resident memory before the module is
// loaded, after loading it and making a speech control, and after the control has spoken a
// sentence with each voice (the voices' models are read in on first use).
// Usage: speech_memory [module file]; by default the module of this build.

#include "speech/SpeechModule.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>
#include <QThread>

#include <cstdio>

namespace
{

// VmRSS of this process, in KiB.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(SPEECH_MODULE);
    const long before = residentKiB();
    QLibrary library(file);
    const auto make = reinterpret_cast<SpeechModule::MakeControlFunction>(
        library.resolve(SpeechModule::MakeControlSymbol));
    if (!make) {
        std::fprintf(stderr, "%s\n", qPrintable(library.errorString()));
        return 1;
    }
    std::unique_ptr<SpeechControl> control;
    make(control);
    const long loaded = residentKiB();
    for (const int voice : {1, 2}) {
        control->selectVoice(voice);
        control->speak(QStringLiteral("Each user must authenticate before accessing any share, "
                                      "and the list of packages is kept up to date."));
    }
    // Nothing tells when the speech is made; a few seconds are far more than it takes.
    QThread::sleep(4);
    const long spoken = residentKiB();
    std::printf("resident memory: %ld KiB before the speech module; +%ld KiB loaded with a "
                "control; +%ld KiB after speaking with both voices\n",
                before, loaded - before, spoken - before);
    control.reset();
    return 0;
}
