#include "dictionary/FileWriter.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr const char* copyInfix()
{
    return ".new-";
}

// The new copy: an open descriptor on a temporary file that is removed unless committed.
class NewCopy
{
  public:
    ~NewCopy()
    {
        if (fd >= 0)
            ::close(fd);
        if (!path.isEmpty())
            ::unlink(path.constData());
    }

    // Creates it with the permissions a new file gets (0666 less the umask). Its name carries
    // the process id, so that a copy whose process died before the rename is known for an
    // orphan (removeOrphans).
    bool create(const QByteArray& target)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray name = target + copyInfix() + QByteArray::number(::getpid()) + '-' +
                                    QByteArray::number(QRandomGenerator::global()->generate(), 36);
            fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                path = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    bool write(const QByteArray& content)
    {
        const char* data = content.constData();
        qsizetype left = content.size();
        while (left > 0) {
            const ssize_t written = ::write(fd, data, size_t(left));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                if (written == 0)
                    errno = EIO;
                return false;
            }
            data += written;
            left -= written;
        }
        return true;
    }

    bool close()
    {
        const int result = ::close(fd);
        fd = -1;
        return result == 0;
    }

    // After a successful rename the name is the letter file's: nothing to remove.
    void committed() { path.clear(); }

    int fd = -1;
    QByteArray path;
};

// Removes the new copies of `target` that processes which no longer run left behind when they
// were killed between making a copy and renaming it: nothing else would ever remove them. A
// copy of a live process (another running copy of the program) is left alone.
void removeOrphans(const QByteArray& target)
{
    const QString path = QFile::decodeName(target);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString prefix = path.mid(slash + 1) + QLatin1String(copyInfix());
    const QDir directory(slash < 0 ? QStringLiteral(".")
                                   : path.left(std::max<qsizetype>(slash, 1)));
    const QStringList copies =
        directory.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& copy : copies) {
        bool numeric = false;
        const pid_t owner =
            copy.sliced(prefix.size()).section(QLatin1Char('-'), 0, 0).toInt(&numeric);
        if (numeric && owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH)
            ::unlink(QFile::encodeName(directory.filePath(copy)).constData());
    }
}

// Where a symbolic link finally points, followed link by link, also when the file there does
// not exist yet (a dangling link gets its file, and stays a link); std::nullopt with errno
// set when the chain cannot be followed.
std::optional<QByteArray> linkTarget(QByteArray path)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {
        };
        if (::lstat(path.constData(), &info) != 0)
            return errno == ENOENT ? std::optional(path) : std::nullopt;
        if (!S_ISLNK(info.st_mode))
            return path;
        QByteArray next(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(path.constData(), next.data(), size_t(next.size()));
        if (length < 0)
            return std::nullopt;
        next.truncate(length);
        const qsizetype slash = path.lastIndexOf('/');
        path = next.startsWith('/') || slash < 0 ? next : path.left(slash + 1) + next;
    }
    errno = ELOOP;
    return std::nullopt;
}

std::optional<QString> failure(int error)
{
    return describeFileError(error);
}

// The directory entry of the rename must reach the disk as well as the data.
void syncDirectoryOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray directory =
        slash < 0 ? QByteArray(".") : path.left(std::max<qsizetype>(slash, 1));
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

QString describeFileError(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("disk je plný");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("do složky slovníku nelze zapisovat");
    case EIO:
        return QStringLiteral("chyba vstupu a výstupu na disku");
    case ELOOP:
        return QStringLiteral("odkaz na soubor vede v kruhu");
    default:
        return QStringLiteral("zápis se nezdařil");
    }
}

std::optional<QString> SafeFileWriter::replaceFile(const QString& path, const QByteArray& content)
{
    // A symbolic link stays a link: the file it points to gets the new content.
    const std::optional<QByteArray> resolved = linkTarget(QFile::encodeName(path));
    if (!resolved)
        return failure(errno);
    const QByteArray& target = *resolved;

    struct stat old {
    };
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return failure(errno);
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return QStringLiteral("soubor není obyčejný soubor");
        // Without any write bit the user made it read-only, whoever runs the program; a
        // rename could replace it all the same.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return QStringLiteral("soubor je jen pro čtení");
        if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) {
            const int error = errno;
            if (error == EACCES || error == EPERM || error == EROFS)
                return QStringLiteral("soubor je jen pro čtení");
            return failure(error);
        }
    }

    removeOrphans(target);
    NewCopy copy;
    if (!copy.create(target) || !copy.write(content))
        return failure(errno);
    if (exists) {
        struct stat made {
        };
        if (::fstat(copy.fd, &made) != 0)
            return failure(errno);
        const uid_t owner = made.st_uid == old.st_uid ? uid_t(-1) : old.st_uid;
        const gid_t group = made.st_gid == old.st_gid ? gid_t(-1) : old.st_gid;
        if ((owner != uid_t(-1) || group != gid_t(-1)) && ::fchown(copy.fd, owner, group) != 0)
            return QStringLiteral("vlastníka a skupinu souboru nelze zachovat");
        if (::fchmod(copy.fd, old.st_mode & 07777) != 0)
            return QStringLiteral("oprávnění souboru nelze zachovat");
    }
    // The data must be on the disk before the rename makes it the letter file.
    if (::fsync(copy.fd) != 0 || !copy.close())
        return failure(errno);
    if (::rename(copy.path.constData(), target.constData()) != 0) {
        const int error = errno;
        return error == ENOSPC || error == EDQUOT
                   ? failure(error)
                   : QStringLiteral("nový obsah souboru nešlo uložit na místo starého");
    }
    copy.committed();
    syncDirectoryOf(target);
    return std::nullopt;
}
