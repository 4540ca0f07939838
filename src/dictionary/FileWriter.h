#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Replaces a file's content, whole or not at all. The program uses SafeFileWriter; tests
// pass writers that fail on purpose.
class FileWriter
{
  public:
    virtual ~FileWriter() = default;

    // Returns std::nullopt on success, otherwise why the file could not be written (Czech,
    // for the user). On failure the file at `path` is exactly as it was.
    virtual std::optional<QString> replaceFile(const QString& path, const QByteArray& content) = 0;
};

// Writes a complete new copy next to the file (beside the file a symbolic link points to,
// which a dangling link gets anew: a link stays a link), gives it the old file's mode, owner
// and group, flushes it to the disk, renames it over the file and flushes the directory, so
// that the new content survives a power cut. Copies that a killed process left beside the
// file are removed first. A file
// without any write permission bit is read-only for everyone, root included, and is refused;
// so is a file whose owner or mode the new copy could not keep.
class SafeFileWriter final : public FileWriter
{
  public:
    std::optional<QString> replaceFile(const QString& path, const QByteArray& content) override;
};

// Why a write failed with the C library's error number `error` (Czech, for the user).
QString describeFileError(int error);
