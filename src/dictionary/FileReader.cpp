#include "dictionary/FileReader.h"

#include <QFile>
#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LetterFile
{

namespace
{

std::optional<QByteArray> refuse(FileStatus& status, const QString& why)
{
    status.whyNot = why;
    return std::nullopt;
}

QString tooLarge()
{
    return QStringLiteral("je větší než %1 MB").arg(MaxFileSize / (1024 * 1024));
}

// Resource files (the built-in dictionary) are compiled into the program: QFile reads them.
std::optional<QByteArray> readResource(const QString& path, FileStatus& status)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    status.exists = true;
    if (!file.open(QIODevice::ReadOnly))
        return refuse(status, QStringLiteral("nelze přečíst"));
    if (file.size() > MaxFileSize)
        return refuse(status, tooLarge());
    status.size = file.size();
    return file.readAll();
}

} // namespace

std::optional<QByteArray> readFile(const QString& path)
{
    FileStatus status;
    return readFile(path, status);
}

std::optional<QByteArray> readFile(const QString& path, FileStatus& status)
{
    status = FileStatus();
    if (path.startsWith(QLatin1Char(':')))
        return readResource(path, status);

    // Non-blocking, so that a fifo in the file's place cannot stop the program in open().
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return QByteArray();
    status.exists = true;
    if (fd < 0)
        return refuse(status, QStringLiteral("nelze přečíst"));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat info {
    };
    if (::fstat(fd, &info) != 0)
        return refuse(status, QStringLiteral("nelze přečíst"));
    if (!S_ISREG(info.st_mode))
        return refuse(status, QStringLiteral("není obyčejný soubor"));
    if (info.st_size > MaxFileSize)
        return refuse(status, tooLarge());
    status.size = info.st_size;
    status.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    status.device = info.st_dev;
    status.inode = info.st_ino;

    // Read to the end, which may come before or after the size seen (the file may change
    // meanwhile), but never past the limit.
    QByteArray bytes(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > MaxFileSize)
                return refuse(status, tooLarge());
            bytes.resize(std::min<qsizetype>(used * 2 + 4096, MaxFileSize + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refuse(status, QStringLiteral("nelze přečíst"));
        if (got == 0)
            break;
        used += got;
    }
    bytes.truncate(used);
    return bytes;
}

} // namespace LetterFile
