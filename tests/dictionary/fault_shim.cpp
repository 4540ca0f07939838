// Preloaded into learn_worker: counts the file-system calls a learning makes and fails the
// Nth one with a chosen error, without calling it; a negative "error" -s kills the process
// with signal s there instead. learn_worker arms it around one learning.
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

bool armed = false;
int count = 0;
int failAt = 0;
int failWith = EIO;
std::string trace;

// Whether this call is the one to fail; notes it in the trace either way.
bool shouldFail(const char* name)
{
    if (!armed)
        return false;
    ++count;
    trace += name;
    if (count != failAt) {
        trace += ' ';
        return false;
    }
    trace += "! ";
    if (failWith < 0)
        raise(-failWith);
    errno = failWith;
    return true;
}

template <typename F> F real(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

void fault_shim_arm(int at, int error)
{
    count = 0;
    failAt = at;
    failWith = error;
    trace.clear();
    armed = true;
}

int fault_shim_disarm()
{
    armed = false;
    return count;
}

const char* fault_shim_trace()
{
    return trace.c_str();
}

#define FORWARD(ret, name, params, args)                                                           \
    ret name params                                                                                \
    {                                                                                              \
        static const auto next = real<ret(*) params>(#name);                                       \
        if (shouldFail(#name))                                                                     \
            return ret(-1);                                                                        \
        return next args;                                                                          \
    }

#define FORWARD_OPEN(name, params, type, args)                                                     \
    int name params                                                                                \
    {                                                                                              \
        mode_t mode = 0;                                                                           \
        if (flags & (O_CREAT | O_TMPFILE)) {                                                       \
            va_list list;                                                                          \
            va_start(list, flags);                                                                 \
            mode = va_arg(list, mode_t);                                                           \
            va_end(list);                                                                          \
        }                                                                                          \
        static const auto next = real<type>(#name);                                                \
        if (shouldFail(#name))                                                                     \
            return -1;                                                                             \
        return next args;                                                                          \
    }

using OpenFunction = int (*)(const char*, int, mode_t);
using OpenAtFunction = int (*)(int, const char*, int, mode_t);
FORWARD_OPEN(open, (const char* path, int flags, ...), OpenFunction, (path, flags, mode))
FORWARD_OPEN(openat, (int dir, const char* path, int flags, ...), OpenAtFunction,
             (dir, path, flags, mode))
FORWARD(ssize_t, read, (int fd, void* buffer, size_t size), (fd, buffer, size))
FORWARD(ssize_t, write, (int fd, const void* buffer, size_t size), (fd, buffer, size))
FORWARD(int, close, (int fd), (fd))
FORWARD(int, rename, (const char* from, const char* to), (from, to))
FORWARD(int, unlink, (const char* path), (path))
FORWARD(int, fchmod, (int fd, mode_t mode), (fd, mode))
FORWARD(int, fchown, (int fd, uid_t owner, gid_t group), (fd, owner, group))
FORWARD(int, fstat, (int fd, struct stat* info), (fd, info))
FORWARD(int, stat, (const char* path, struct stat* info), (path, info))
FORWARD(int, lstat, (const char* path, struct stat* info), (path, info))
FORWARD(int, flock, (int fd, int operation), (fd, operation))
FORWARD(int, faccessat, (int dir, const char* path, int mode, int flags), (dir, path, mode, flags))
FORWARD(ssize_t, readlink, (const char* path, char* buffer, size_t size), (path, buffer, size))

// fsync is traced apart for directories: a rename reaches the disk only with its directory.
int fsync(int fd)
{
    static const auto next = real<int (*)(int)>("fsync");
    static const auto nextFstat = real<int (*)(int, struct stat*)>("fstat");
    struct stat info {
    };
    const bool directory = nextFstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    if (shouldFail(directory ? "fsync-directory" : "fsync"))
        return -1;
    return next(fd);
}
}
