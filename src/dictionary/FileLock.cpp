#include "dictionary/FileLock.h"

#include "dictionary/FileWriter.h"

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
        // A lock file this call made goes again when locking fails: nothing is left that was
        // not there before.
        int fd = ::open(m_path.constData(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        const bool made = fd >= 0;
        if (fd < 0 && errno == EEXIST) {
            fd = ::open(m_path.constData(), O_RDONLY | O_CLOEXEC);
            if (fd < 0 && errno == ENOENT)
                continue; // its holder has just removed it
        }
        if (fd < 0)
            return fail(errno);
        const auto failed = [&](int error) {
            ::close(fd);
            if (made)
                ::unlink(m_path.constData());
            return fail(error);
        };
        struct stat held {
        };
        if (::fstat(fd, &held) != 0)
            return failed(errno);
        if (!S_ISREG(held.st_mode))
            return failed(EISDIR);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK)
                return failed(errno);
            ::close(fd);
            if (deadline.hasExpired())
                return Busy;
            QThread::msleep(5);
            continue;
        }
        struct stat named {
        };
        if (::stat(m_path.constData(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_fd = fd;
            // Earlier versions locked with QLockFile, whose helper file a crash could leave.
            ::unlink((m_path + ".rmlock").constData());
            return Locked;
        }
        // The holder removed the file as it let go: lock the one that is there now.
        const int error = errno;
        ::close(fd);
        if (deadline.hasExpired())
            return fail(error);
    }
}

FileLock::Result FileLock::fail(int error)
{
    m_error = error;
    return Failed;
}

QString FileLock::whyFailed() const
{
    const QString name = QFile::decodeName(m_path.mid(m_path.lastIndexOf('/') + 1));
    QString reason;
    switch (m_error) {
    case EISDIR:
        reason = QStringLiteral("není to obyčejný soubor");
        break;
    case ENOLCK:
    case ENOSYS:
    case EOPNOTSUPP:
        reason = QStringLiteral("disk neumí soubory zamykat");
        break;
    default:
        reason = describeFileError(m_error);
    }
    return QStringLiteral("soubor zámku %1 nelze použít: %2").arg(name, reason);
}
