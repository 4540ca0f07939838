#include "shell/DataDirectory.h"

#include "dictionary/LetterFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace
{

// Writes a new file, never over an existing one: the content goes into a temporary file of
// the same directory and is renamed to `target` only when complete, and the rename refuses
// to replace a file. So an interrupted first start leaves no half-written letter file.
QString writeNewFile(const QString& target, const QByteArray& content)
{
    QTemporaryFile file(QFileInfo(target).absolutePath() + QStringLiteral("/.seed-XXXXXX"));
    if (!file.open())
        return QStringLiteral("do složky %1 nelze zapisovat").arg(QFileInfo(target).absolutePath());
    if (file.write(content) != content.size() || !file.flush())
        return QStringLiteral("zápis souboru %1 se nezdařil").arg(target);
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
    if (!QDir().mkpath(m_path)) {
        outcome.whyNot = QStringLiteral("složku %1 nelze vytvořit").arg(m_path);
        return outcome;
    }
    for (const QString& name : names) {
        QFile source(m_seedSource + name);
        if (!source.open(QIODevice::ReadOnly)) {
            outcome.whyNot = QStringLiteral("vestavěný slovník nemá soubor %1").arg(name);
            return outcome;
        }
        if (QFileInfo::exists(m_path + name))
            continue;
        outcome.whyNot = writeNewFile(m_path + name, source.readAll());
        if (outcome.failed())
            return outcome;
        outcome.copied << name;
    }
    return outcome;
}
