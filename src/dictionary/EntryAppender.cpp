#include "dictionary/EntryAppender.h"

#include "dictionary/Cp1250.h"
#include "dictionary/FileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace LetterFile
{

namespace
{

constexpr int LockWaitMs = 10000;

AppendOutcome refused(const QString& why)
{
    return AppendOutcome{0, why};
}

} // namespace

AppendOutcome appendEntries(const QString& path, const QString& dictExt, const EntryChooser& choose,
                            LineBuffer& lines, FileWriter& writer)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.dir().exists())
        return refused(QStringLiteral("složka slovníku %1 neexistuje")
                           .arg(QDir::toNativeSeparators(info.absolutePath())));

    // Held from the read to the rename, so that two running copies never lose each other's entries.
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs)) {
        if (lock.error() == QLockFile::LockFailedError)
            return refused(QStringLiteral("soubor %1 právě upravuje jiný program").arg(name));
        return refused(QStringLiteral("do složky slovníku nelze zapisovat"));
    }

    const std::optional<QByteArray> bytes = readFile(path);
    if (!bytes)
        return refused(QStringLiteral("soubor %1 nelze přečíst").arg(name));
    const QStringList fileLines = splitLines(*bytes);

    // Lines before the terminator go into the buffer, slot by slot, a pair at a time.
    lines.fill(QString());
    qsizetype k = 0;
    QList<Entry> existing;
    while (k < fileLines.size() && !isTerminator(fileLines, k, dictExt)) {
        if (k + 1 >= fileLines.size())
            return refused(QStringLiteral("poslední heslo souboru %1 nemá překlad").arg(name));
        if (k + 1 >= LineBufferSlots - 2)
            return refused(QStringLiteral("soubor %1 má víc než 32 767 hesel").arg(name));
        lines[k] = fileLines[k];
        lines[k + 1] = fileLines[k + 1];
        existing.append({fileLines[k], fileLines[k + 1]});
        k += 2;
    }

    // What follows the terminator is kept; in a Czech-to-English file the second "end"
    // belongs to the terminator and is written afresh.
    qsizetype tailStart = k;
    if (k < fileLines.size()) {
        tailStart = k + 1;
        if (dictExt == CzechToEnglish && tailStart < fileLines.size() &&
            fileLines[tailStart].compare(QLatin1String("end"), Qt::CaseInsensitive) == 0)
            ++tailStart;
    }

    const QList<Entry> added = choose(existing);
    if (added.isEmpty())
        return {};
    if (k + 2 * added.size() > LineBufferSlots)
        return refused(QStringLiteral("soubor %1 by měl víc než 32 767 hesel").arg(name));
    for (const Entry& entry : added) {
        for (const QString& line : {entry.head, entry.translation}) {
            if (const auto bad = Cp1250::firstUnencodable(line))
                return refused(QStringLiteral("znak „%1“ nelze do slovníku uložit").arg(*bad));
        }
        lines[k++] = entry.head;
        lines[k++] = entry.translation;
    }

    QStringList out;
    out.reserve(k + 2 + fileLines.size() - tailStart);
    for (qsizetype j = 0; j < k; ++j)
        out.append(lines[j]);
    out += terminatorLines(dictExt);
    out += fileLines.mid(tailStart);

    if (const auto error = writer.replaceFile(path, joinLines(out)))
        return refused(QStringLiteral("%1 (%2)").arg(*error, name));
    return AppendOutcome{added.size(), {}};
}

AppendOutcome appendEntry(const QString& path, const QString& dictExt, const Entry& entry,
                          LineBuffer& lines, FileWriter& writer)
{
    return appendEntries(
        path, dictExt, [&](const QList<Entry>&) { return QList<Entry>{entry}; }, lines, writer);
}

} // namespace LetterFile
