#include "dictionary/FileLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

FileLock::FileLock(const QString& lockPath) : m_path(QFile::encodeName(lockPath)) {}

FileLock::~FileLock()
{
    if (m_fd < 0)
        return;
    // Removed while still held: a copy waiting on this file notices that it is gone and
    // locks a new one, so two copies never hold two different files at once.
    ::unlink(m_path.constData());
    ::close(m_fd);
}

FileLock::Result FileLock::lock(int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            m_error = errno;
            return Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            m_error = errno;
            ::close(fd);
            if (m_error != EWOULDBLOCK)
                return Failed;
            if (deadline.hasExpired())
                return Busy;
            QThread::msleep(5);
            continue;
        }
        struct stat held {
        };
        struct stat named {
        };
        if (::fstat(fd, &held) == 0 && ::stat(m_path.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            m_fd = fd;
            // Earlier versions locked with QLockFile, whose helper file a crash could leave.
            ::unlink((m_path + ".rmlock").constData());
            return Locked;
        }
        // The holder removed the file as it let go: lock the one that is there now.
        m_error = errno;
        ::close(fd);
        if (deadline.hasExpired())
            return Failed;
    }
}
