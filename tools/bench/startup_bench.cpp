// Start -> main window painted, for the program on a data directory that is already filled
// (a later start), against the floor: a bare Qt window with one label, built the same way.
// Both are the start-up builds next to this benchmark (slovnik-startup-probe, startup-floor),
// which print the moment of their first painted frame and quit (FirstPaintProbe.h). The two
// are run in turn, so that a busy moment of the machine hits both alike.
//
//   QT_QPA_PLATFORM=offscreen build/tools/bench/startup_bench [runs]
//   xvfb-run -a build/tools/bench/startup_bench [runs]
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Start {
    double paintedMs; // from just before the start to the painted frame
    double cpuMs;     // processor time of the whole run, to its end: shows a busy machine's share
};

// Starts `program`, reads its "painted <ns>" line and waits for it to end.
std::optional<Start> startToPaint(const std::string& program, const std::vector<std::string>& env)
{
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<char*> envp;
    for (const std::string& entry : env)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    pid_t child = 0;
    const long long started = monotonicNs();
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return std::nullopt;
    }
    std::string line;
    char c = 0;
    while (line.size() < 100) {
        const ssize_t n = read(out[0], &c, 1);
        if (n == 1 && c != '\n') {
            line += c;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    long long painted = 0;
    if (std::sscanf(line.c_str(), "painted %lld", &painted) != 1 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return Start{(painted - started) / 1e6, ms(usage.ru_utime) + ms(usage.ru_stime)};
}

struct Figures {
    double min;
    double median;
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    return {ms.front(), n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string here = QCoreApplication::applicationDirPath().toStdString() + "/";
    const std::string program = here + "slovnik-startup-probe";
    const std::string floor = here + "startup-floor";

    // A home of its own: the user's dictionary is never touched, and the first start below
    // fills the data directory, so every measured start is a later one.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    const std::string h = home.path().toStdString();
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string e = *entry;
        if (e.rfind("HOME=", 0) != 0 && e.rfind("XDG_", 0) != 0)
            env.push_back(e);
    }
    env.push_back("HOME=" + h);
    env.push_back("XDG_DATA_HOME=" + h + "/share");
    env.push_back("XDG_CONFIG_HOME=" + h + "/config");
    env.push_back("XDG_CACHE_HOME=" + h + "/cache");
    env.push_back("XDG_RUNTIME_DIR=" + h + "/runtime");

    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    std::printf("start -> main window painted, %d runs each, platform %s%s%s\n", runs,
                platform ? platform : "default", display ? ", DISPLAY=" : "",
                display ? display : "");

    const auto first = startToPaint(program, env);
    if (!first) {
        std::fprintf(stderr, "%s did not report its first paint\n", program.c_str());
        return 1;
    }
    std::printf("first start (fills the data directory): %.2f ms\n", first->paintedMs);

    std::vector<double> programMs, floorMs, programCpu, floorCpu;
    for (int run = 0; run < runs; ++run) {
        const auto p = startToPaint(program, env);
        const auto f = startToPaint(floor, env);
        if (!p || !f) {
            std::fprintf(stderr, "a start did not report its first paint\n");
            return 1;
        }
        programMs.push_back(p->paintedMs);
        floorMs.push_back(f->paintedMs);
        programCpu.push_back(p->cpuMs);
        floorCpu.push_back(f->cpuMs);
    }
    const Figures p = figures(programMs);
    const Figures f = figures(floorMs);
    const Figures pc = figures(programCpu);
    const Figures fc = figures(floorCpu);
    std::printf("%-32s painted: min %7.2f ms  median %7.2f ms   cpu to exit: median %7.2f ms\n",
                "program (later start)", p.min, p.median, pc.median);
    std::printf("%-32s painted: min %7.2f ms  median %7.2f ms   cpu to exit: median %7.2f ms\n",
                "floor (bare window, one label)", f.min, f.median, fc.median);
    std::printf("ratio program / floor: min %.2f  median %.2f  (goal <= 1.20); cpu median %.2f\n",
                p.min / f.min, p.median / f.median, pc.median / fc.median);
    return 0;
}
