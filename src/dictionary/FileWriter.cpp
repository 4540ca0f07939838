#include "dictionary/FileWriter.h"

#include <QFile>
#include <QSaveFile>

#include <unistd.h>

namespace
{

QString describe(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::PermissionsError:
    case QFileDevice::OpenError:
        return QStringLiteral("do složky slovníku nelze zapisovat");
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return QStringLiteral("zápis se nezdařil (možná je plný disk)");
    case QFileDevice::RenameError:
        return QStringLiteral("nový obsah souboru nešlo uložit na místo starého");
    default:
        return QStringLiteral("zápis se nezdařil");
    }
}

} // namespace

std::optional<QString> SafeFileWriter::replaceFile(const QString& path, const QByteArray& content)
{
    // A file the user made read-only stays untouched, although a rename could replace it.
    const QByteArray nativePath = QFile::encodeName(path);
    if (::access(nativePath.constData(), F_OK) == 0 && ::access(nativePath.constData(), W_OK) != 0)
        return QStringLiteral("soubor je jen pro čtení");

    QSaveFile file(path);
    // Never fall back to writing in place: a half-written letter file loses entries.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return describe(file.error());
    if (file.write(content) != content.size()) {
        const auto error = file.error();
        file.cancelWriting();
        return describe(error);
    }
    // The data must be on the disk before the rename makes it the letter file.
    if (!file.flush() || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return describe(QFileDevice::WriteError);
    }
    if (!file.commit())
        return describe(file.error());
    return std::nullopt;
}
