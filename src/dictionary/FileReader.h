#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// Reading a letter file whole and safely: never blocking on what is not a regular file, never
// more than a letter file can hold.
namespace LetterFile
{

// A letter file larger than this is refused: 32,767 entries take a few megabytes at most.
inline constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

// What readFile() saw of the file, from the descriptor it read (so that it describes the
// very bytes returned).
struct FileStatus {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; // modification time in nanoseconds since the epoch
    quint64 device = 0;
    quint64 inode = 0;
    QString whyNot; // why an existing file was not read (Czech, to follow "soubor x.dta")
};

// Reads a whole letter file. A missing file is an empty one; std::nullopt when the file
// exists but cannot be read: it is not a regular file (a fifo, a device, a directory, also
// behind a symbolic link), it is larger than MaxFileSize, or reading fails. Opening never
// blocks. Qt resource paths (":/...") are read through QFile.
std::optional<QByteArray> readFile(const QString& path);
std::optional<QByteArray> readFile(const QString& path, FileStatus& status);

} // namespace LetterFile
