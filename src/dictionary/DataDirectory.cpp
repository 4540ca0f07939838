#include "dictionary/DataDirectory.h"

#include "dictionary/LetterFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace
{

QString shown(const QString& directory)
{
    return QDir::toNativeSeparators(QDir::cleanPath(directory));
}

// The system's reason for a failure, in Czech for the usual ones.
QString systemReason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("přístup odepřen");
    case EROFS:
        return QStringLiteral("disk je jen pro čtení");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("na disku není místo");
    case ENOTDIR:
        return QStringLiteral("v cestě je soubor, ne složka");
    case ENAMETOOLONG:
        return QStringLiteral("cesta je příliš dlouhá");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString cannotWrite(const QString& directory, int error)
{
    return QStringLiteral("do složky %1 nelze zapisovat (%2)")
        .arg(shown(directory), systemReason(error));
}

// Writes a new file, never over an existing one: the content goes into a temporary file of
// the same directory and is renamed to `target` only when complete, and the rename refuses
// to replace a file. So an interrupted first start leaves no half-written letter file.
QString writeNewFile(const QString& target, const QByteArray& content)
{
    const QString directory = QFileInfo(target).absolutePath();
    QTemporaryFile file(directory + QStringLiteral("/.seed-XXXXXX"));
    errno = 0;
    if (!file.open())
        return errno != 0 ? cannotWrite(directory, errno)
                          : QStringLiteral("do složky %1 nelze zapisovat").arg(shown(directory));
    errno = 0;
    if (file.write(content) != content.size() || !file.flush())
        return QStringLiteral("zápis souboru %1 se nezdařil (%2)")
            .arg(shown(target), errno != 0 ? systemReason(errno) : file.errorString());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    if (!file.rename(target))
        return QStringLiteral("soubor %1 nešlo vytvořit").arg(target);
    file.setAutoRemove(false);
    return {};
}

} // namespace

DataDirectory::DataDirectory(QString path, QString seedSource)
    : m_path(std::move(path)), m_seedSource(std::move(seedSource))
{
}

DataDirectory DataDirectory::standard()
{
    return DataDirectory(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                         QStringLiteral("/data/"));
}

QStringList DataDirectory::letterFileNames()
{
    QStringList names;
    for (const QString& ext : {LetterFile::EnglishToCzech, LetterFile::CzechToEnglish}) {
        for (char letter = 'a'; letter <= 'z'; ++letter)
            names << QLatin1Char(letter) + ext;
    }
    return names;
}

DataDirectory::SeedOutcome DataDirectory::seedIfEmpty() const
{
    SeedOutcome outcome;
    const QStringList names = letterFileNames();
    for (const QString& name : names) {
        if (QFileInfo::exists(m_path + name))
            return outcome;
    }
    std::error_code made;
    std::filesystem::create_directories(QFile::encodeName(m_path).toStdString(), made);
    if (made) {
        outcome.whyNot = QStringLiteral("složku %1 nelze vytvořit (%2)")
                             .arg(shown(m_path), systemReason(made.value()));
        return outcome;
    }
    for (const QString& name : names) {
        QFile source(m_seedSource + name);
        if (!source.open(QIODevice::ReadOnly)) {
            outcome.whyNot = QStringLiteral("vestavěný slovník nemá soubor %1").arg(name);
            break;
        }
        if (QFileInfo::exists(m_path + name))
            continue;
        outcome.whyNot = writeNewFile(m_path + name, source.readAll());
        if (outcome.failed())
            break;
        outcome.copied << name;
    }
    if (outcome.failed()) {
        // Half a dictionary would stay for good, as a directory holding letter files is never
        // seeded again: the copies go, and the next start tries afresh.
        for (const QString& copied : std::as_const(outcome.copied))
            QFile::remove(m_path + copied);
        outcome.copied.clear();
    }
    return outcome;
}

DataDirectory::Prepared DataDirectory::prepare() const
{
    Prepared prepared{m_path, {}, false};
    const SeedOutcome seeded = seedIfEmpty();
    const QStringList names = letterFileNames();
    const bool holdsLetterFiles = std::any_of(names.begin(), names.end(), [&](const QString& name) {
        return QFileInfo::exists(m_path + name);
    });
    if (!holdsLetterFiles) {
        prepared.dataPath = m_seedSource;
        prepared.builtIn = true;
        prepared.whyReadOnly = seeded.whyNot;
    } else if (::access(QFile::encodeName(m_path).constData(), W_OK) != 0) {
        prepared.whyReadOnly = cannotWrite(m_path, errno);
    }
    return prepared;
}

QString DataDirectory::Prepared::notice() const
{
    if (whyReadOnly.isEmpty())
        return {};
    QString text = QStringLiteral("Nová slova nelze do slovníku ukládat: ") + whyReadOnly + '.';
    if (builtIn)
        text += QStringLiteral(" Slova se hledají ve slovníku, který je součástí programu.");
    return text;
}
