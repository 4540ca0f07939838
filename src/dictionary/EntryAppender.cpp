#include "dictionary/EntryAppender.h"

#include "dictionary/Cp1250.h"
#include "dictionary/FileLock.h"
#include "dictionary/FileReader.h"
#include "dictionary/FileWriter.h"
#include "dictionary/LineReader.h"
#include "dictionary/StorableText.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <utility>

namespace LetterFile
{

namespace
{

constexpr int LockWaitMs = 10000;

AppendOutcome refused(const QString& why)
{
    return AppendOutcome{0, why};
}

Rewrite cannot(const QString& why)
{
    return Rewrite{{}, 0, why};
}

std::optional<QString> whyNotWritable(const Entry& entry, const QString& dictExt)
{
    // The lookup stops at a head line "End"; a Czech-to-English head "end" would read as the
    // terminator. The program writes head words in capitals, so neither ever comes from it.
    if (entry.head == QLatin1String("End") ||
        (dictExt == CzechToEnglish && entry.head == QLatin1String("end")))
        return QStringLiteral("heslo „%1“ by soubor ukončilo").arg(entry.head);
    for (const QString& line : {entry.head, entry.translation}) {
        const auto problem = StorableText::firstProblem(line);
        if (!problem)
            continue;
        switch (problem->fault) {
        case StorableText::Fault::LineBreak:
            return QStringLiteral("heslo nebo překlad obsahuje konec řádku");
        case StorableText::Fault::ControlCharacter:
            return QStringLiteral("heslo nebo překlad obsahuje řídicí znak %1")
                .arg(StorableText::shown(*problem));
        case StorableText::Fault::NotInCodePage:
            return QStringLiteral("znak „%1“ nelze do slovníku uložit").arg(problem->character);
        }
    }
    return std::nullopt;
}

// Decodes only what a chooser asks for: a single learned word needs none of the old entries.
using Choice = std::function<QList<Entry>(QByteArrayView bytes, qsizetype entryLines)>;

Rewrite rewrite(QByteArrayView bytes, const QString& dictExt, const QString& name,
                LineBuffer& buffer, const Choice& choose)
{
    const Place place = placeFor(bytes, dictExt);
    if (place.headWithoutTranslation)
        return cannot(QStringLiteral("poslední heslo souboru %1 nemá překlad").arg(name));
    const qsizetype end = place.line;
    if (end > LineBufferSlots - 2)
        return cannot(QStringLiteral("soubor %1 má víc než 32 767 hesel").arg(name));

    const QList<Entry> added = choose(bytes, end);
    if (added.isEmpty())
        return {};
    if (end + 2 * added.size() > LineBufferSlots)
        return cannot(QStringLiteral("soubor %1 by měl víc než 32 767 hesel").arg(name));
    for (const Entry& entry : added) {
        if (const auto why = whyNotWritable(entry, dictExt))
            return cannot(*why);
    }

    const qsizetype prefixEnd = place.keptBefore;
    const bool prefixEnded =
        prefixEnd == 0 || bytes[prefixEnd - 1] == '\r' || bytes[prefixEnd - 1] == '\n';

    QByteArray content;
    content.reserve(bytes.size() + 256);
    content.append(bytes.first(prefixEnd));
    if (!prefixEnded)
        content.append("\r\n");
    qsizetype slot = end;
    for (const Entry& entry : added) {
        buffer[slot++] = entry.head;
        buffer[slot++] = entry.translation;
        content.append(Cp1250::encode(entry.head)).append("\r\n");
        content.append(Cp1250::encode(entry.translation)).append("\r\n");
    }
    content.append(joinLines(terminatorLines(dictExt)));
    content.append(bytes.sliced(place.keptFrom));
    return Rewrite{content, added.size(), {}};
}

AppendOutcome append(const QString& path, const QString& dictExt, const Choice& choose,
                     LineBuffer& buffer, FileWriter& writer)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    // The dictionary built into the program, used when the user's data directory is not.
    if (path.startsWith(QLatin1Char(':')))
        return refused(QStringLiteral("slovník vestavěný do programu nelze měnit"));
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    struct stat folderStatus {
    };
    if (::stat(QFile::encodeName(info.absolutePath()).constData(), &folderStatus) != 0) {
        const int error = errno;
        if (error != ENOENT && error != ENOTDIR)
            return refused(QStringLiteral("složku slovníku %1 nelze přečíst (%2)")
                               .arg(folder, describeFileError(error)));
    }
    if (!S_ISDIR(folderStatus.st_mode))
        return refused(QStringLiteral("složka slovníku %1 neexistuje").arg(folder));

    // Held from the read to the rename, so that two running copies never lose each other's entries.
    FileLock lock(path + QStringLiteral(".lock"));
    switch (lock.lock(LockWaitMs)) {
    case FileLock::Locked:
        break;
    case FileLock::Busy:
        return refused(QStringLiteral("soubor %1 právě upravuje jiný program").arg(name));
    case FileLock::Failed:
        return refused(lock.whyFailed());
    }

    FileStatus status;
    const std::optional<QByteArray> bytes = readFile(path, status);
    if (!bytes)
        return refused(QStringLiteral("soubor %1 %2").arg(name, status.whyNot));

    const Rewrite next = rewrite(*bytes, dictExt, name, buffer, choose);
    if (!next.whyNot.isEmpty())
        return refused(next.whyNot);
    if (next.added == 0)
        return {};
    if (const auto error = writer.replaceFile(path, next.content))
        return refused(QStringLiteral("%1 (%2)").arg(*error, name));
    return AppendOutcome{next.added, {}};
}

} // namespace

Place placeFor(QByteArrayView bytes, const QString& dictExt)
{
    struct Line {
        QByteArrayView text;
        qsizetype start = 0;
        qsizetype next = 0;
    };
    Line last;
    Line beforeLast;
    LineReader reader(bytes);
    QByteArrayView text;
    qsizetype count = 0;
    for (; reader.next(text); ++count) {
        const Line line{text, last.next, reader.position()};
        if (count % 2 == 0 && endsLookup(text)) {
            // The lookup reads nothing after it: the terminator, which the new entries replace;
            // in a Czech-to-English file with the "end" line that completes it.
            qsizetype keptFrom = line.next;
            if (dictExt == CzechToEnglish && reader.next(text) && readsEnd(text))
                keptFrom = reader.position();
            return {count, line.start, keptFrom, false};
        }
        beforeLast = std::exchange(last, line);
    }
    const qsizetype size = bytes.size();
    // A head line without its translation, which the lookup passes over, at the end: a
    // terminator made by hand when it reads "end", else an entry cut short.
    if (count % 2 == 1)
        return {count - 1, last.start, size, !readsEnd(last.text)};
    // A Czech-to-English file ends in its terminator, which the lookup reads as a pair.
    if (dictExt == CzechToEnglish && count >= 2 && readsEnd(beforeLast.text) && readsEnd(last.text))
        return {count - 2, beforeLast.start, size, false};
    return {count, size, size, false};
}

AppendOutcome appendEntries(const QString& path, const QString& dictExt, const EntryChooser& choose,
                            LineBuffer& lines, FileWriter& writer)
{
    return append(
        path, dictExt,
        [&](QByteArrayView bytes, qsizetype entryLines) {
            QList<Entry> existing;
            existing.reserve(entryLines / 2);
            LineReader reader(bytes);
            QByteArrayView head;
            QByteArrayView translation;
            while (existing.size() < entryLines / 2 && reader.next(head) &&
                   reader.next(translation))
                existing.append({Cp1250::decode(head), Cp1250::decode(translation)});
            return choose(existing);
        },
        lines, writer);
}

AppendOutcome appendEntry(const QString& path, const QString& dictExt, const Entry& entry,
                          LineBuffer& lines, FileWriter& writer)
{
    return append(
        path, dictExt, [&](QByteArrayView, qsizetype) { return QList<Entry>{entry}; }, lines,
        writer);
}

Rewrite rewriteWith(QByteArrayView bytes, const QString& dictExt, const QList<Entry>& entries,
                    const QString& name, LineBuffer& lines)
{
    return rewrite(bytes, dictExt, name, lines, [&](QByteArrayView, qsizetype) { return entries; });
}

} // namespace LetterFile
