// The dictd reader: an index and a data file (plain or gzip/dictzip) of any bytes load into
// articles that lie within the data, or are refused with a reason.
//
// Input: the index's bytes, a NUL, then the data file's bytes.
#include "Dictd.h"
#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{

void put(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
              file.write(bytes.data(), bytes.size()) == bytes.size(),
          "the input files are written");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArrayView index = split < 0 ? input : input.first(split);
    const QByteArrayView dict = split < 0 ? QByteArrayView() : input.sliced(split + 1);

    QString error;
    const auto entries = Dictd::parseIndex(index, &error);
    check(entries.has_value() || !error.isEmpty(), "a refused index says why");

    // In memory where the system has a memory file system: the files change every run.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/slovnik-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/slovnik-fuzz-XXXXXX"));
    const QString base = dir.filePath(QStringLiteral("fuzz"));
    put(base + QStringLiteral(".index"), index);
    QFile::remove(base + QStringLiteral(".dict.dz"));
    put(base + QStringLiteral(".dict"), dict);
    error.clear();
    const auto loaded = Dictd::load(base, &error);
    if (!loaded) {
        check(!error.isEmpty(), "a refused dictionary says why");
        return 0;
    }
    check(entries.has_value(), "a dictionary loads only with a valid index");
    check(loaded->articles.size() <= entries->size(), "no article without its index entry");
    return 0;
}
