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

// Writes a complete new copy next to the file, flushes it to disk and renames it over the
// file, keeping the file's permissions.
class SafeFileWriter final : public FileWriter
{
  public:
    std::optional<QString> replaceFile(const QString& path, const QByteArray& content) override;
};
