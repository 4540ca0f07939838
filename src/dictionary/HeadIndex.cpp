#include "dictionary/HeadIndex.h"

#include "dictionary/FileReader.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// Longer than the coarsest modification times of the file systems a data directory may be on.
constexpr qint64 SettledNs = 3'000'000'000;

qint64 nanoseconds(const struct timespec& time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

qint64 nowNs()
{
    struct timespec now {
    };
    clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

} // namespace

HeadIndex::HeadIndex(Opener open) : m_open(std::move(open)) {}

std::unique_ptr<QIODevice> HeadIndex::openFile(const QString& path)
{
    auto file = std::make_unique<QFile>(path);
    // Unbuffered: the table reads the file through its own buffer, and a big file's hits a few
    // bytes at a time after.
    constexpr auto mode = QIODevice::ReadOnly | QIODevice::Unbuffered;
    if (path.startsWith(QLatin1Char(':')))
        return file->open(mode) ? std::move(file) : nullptr;
    // Without blocking, in case a fifo has taken the file's place since it was looked at.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file->open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return file;
}

void HeadIndex::beginPass()
{
    ++m_pass;
}

std::optional<HeadIndex::Stamp> HeadIndex::stampOf(const QString& path)
{
    Stamp stamp;
    // Resources (the built-in dictionary) have no inode and never change while the program runs.
    if (path.startsWith(QLatin1Char(':'))) {
        const QFileInfo info(path);
        stamp.exists = info.exists();
        stamp.size = info.size();
        stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
        return stamp;
    }
    struct stat status {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? std::optional(stamp) : std::nullopt;
    stamp.exists = true;
    // Opening a fifo would wait for a writer.
    stamp.regular = S_ISREG(status.st_mode);
    stamp.device = quint64(status.st_dev);
    stamp.inode = quint64(status.st_ino);
    stamp.size = qint64(status.st_size);
    stamp.modifiedNs = nanoseconds(status.st_mtim);
    // A change of permissions touches only this one: a file made readable is read.
    stamp.changedNs = nanoseconds(status.st_ctim);
    stamp.settled = nowNs() - stamp.modifiedNs >= SettledNs;
    return stamp;
}

const HeadIndex::File& HeadIndex::current(const QString& path)
{
    auto it = m_files.find(path);
    if (it != m_files.end() && it->second.checkedInPass == m_pass)
        return it->second;
    const std::optional<Stamp> stamp = stampOf(path);
    if (it == m_files.end() || !stamp || it->second.stamp != stamp) {
        File file;
        std::optional<LetterFile::LookupTable> table;
        // No entries, until the file changes: nothing, something that is no letter file, or
        // more than any letter file holds.
        if (stamp && (!stamp->exists || !stamp->regular || stamp->size > LetterFile::MaxFileSize))
            table = LetterFile::LookupTable();
        else if (std::unique_ptr<QIODevice> device = m_open(path))
            table = LetterFile::LookupTable::fromDevice(std::move(device));
        // An unreadable file has no entries now and is tried again at the next check.
        file.stamp = table && stamp && stamp->settled ? stamp : std::nullopt;
        if (table)
            file.table = std::move(*table);
        it = m_files.insert_or_assign(path, std::move(file)).first;
    }
    it->second.checkedInPass = m_pass;
    return it->second;
}

QStringList HeadIndex::translationsOf(const QString& path, const QString& loweredWord)
{
    return current(path).table.translationsOf(loweredWord);
}

const LetterFile::LookupTable& HeadIndex::table(const QString& path)
{
    return current(path).table;
}

void HeadIndex::forget(const QString& path)
{
    m_files.erase(path);
}

qsizetype HeadIndex::memoryBytes() const
{
    qsizetype total = qsizetype(sizeof(*this));
    for (const auto& [path, file] : m_files)
        total += path.capacity() * 2 + qsizetype(sizeof(File)) + file.table.memoryBytes();
    return total;
}
