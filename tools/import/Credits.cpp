#include "Credits.h"

#include "dictionary/FileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Import
{

namespace
{

const QString Rule = QString(70, u'-');

const QString Heading = QStringLiteral(
    "Zdroje slovníku\n"
    "===============\n"
    "\n"
    "Hesla písmenových souborů v této složce pocházejí ze slovníků uvedených níže (převedl je\n"
    "program slovnik-import). Jejich autoři a licence, jak je slovníky samy uvádějí:\n");

} // namespace

QString creditsSection(const Dictd::Dictionary& dictionary)
{
    const QString info = dictionary.info.isEmpty()
                             ? QStringLiteral("Slovník o svých autorech ani licenci nic neuvádí.")
                             : dictionary.info;
    return QStringLiteral("\n%1\n%2 (%3)\n%1\n\n%4\n")
        .arg(Rule, dictionary.name, QFileInfo(dictionary.indexPath).completeBaseName(), info);
}

std::optional<QString> addCredits(const QString& directory, const QStringList& sections,
                                  FileWriter& writer)
{
    const QString path = QDir(directory).filePath(CreditsFileName);
    QString text = Heading;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return QStringLiteral("soubor %1 nelze číst").arg(path);
        text = QString::fromUtf8(existing.readAll());
    }
    const QString before = text;
    for (const QString& section : sections) {
        if (!text.contains(section))
            text += section;
    }
    if (text == before && existing.exists())
        return std::nullopt;
    if (const auto error = writer.replaceFile(path, text.toUtf8()))
        return QStringLiteral("%1: %2").arg(path, *error);
    return std::nullopt;
}

} // namespace Import
