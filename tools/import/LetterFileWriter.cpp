#include "LetterFileWriter.h"

#include "dictionary/EntryAppender.h"
#include "dictionary/FileWriter.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <memory>

namespace Import
{

namespace
{

QCollator collatorFor(const QString& dictExt)
{
    QCollator collator(dictExt == LetterFile::CzechToEnglish
                           ? QLocale(QLocale::Czech, QLocale::CzechRepublic)
                           : QLocale(QLocale::English, QLocale::UnitedStates));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// Why an entry cannot be written without breaking the file's pairs or being misread: a line
// break inside it would shift every pair after it, a character the code page lacks would
// fail the whole file, and a .cze entry "END" / "end" would read as the terminator.
std::optional<Skip> whyNotStorable(const BuiltEntry& entry)
{
    if (hasControlCharacter(entry.head) || hasControlCharacter(entry.translation))
        return Skip::ControlCharacter;
    if (!fitsLetterFileLine(entry.head) || !fitsLetterFileLine(entry.translation))
        return Skip::NotEncodable;
    const QString end = QStringLiteral("end");
    if (entry.head.toLower() == end && entry.translation.toLower() == end)
        return Skip::LooksLikeTerminator;
    return std::nullopt;
}

} // namespace

WriteOutcome writeLetterFiles(const QString& directory, const QString& dictExt,
                              const QList<BuiltEntry>& entries, FileWriter& writer,
                              const WriteProgress& progress)
{
    WriteOutcome outcome;
    if (!QDir().mkpath(directory)) {
        outcome.failures.append(QStringLiteral("složku %1 nelze vytvořit").arg(directory));
        return outcome;
    }
    const QString dataPath = QDir(directory).absolutePath() + QLatin1Char('/');
    const QCollator collator = collatorFor(dictExt);

    QHash<QString, QList<const BuiltEntry*>> byFile;
    for (const BuiltEntry& entry : entries) {
        if (const auto why = whyNotStorable(entry)) {
            outcome.skipped.add(*why);
            continue;
        }
        byFile[LetterFile::fileName(dataPath, entry.head, dictExt)].append(&entry);
    }

    const auto lines = std::make_unique<LetterFile::LineBuffer>();
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const QString path = dataPath + QLatin1Char(letter) + dictExt;
        QList<const BuiltEntry*> candidates = byFile.value(path);
        std::sort(candidates.begin(), candidates.end(),
                  [&](const BuiltEntry* a, const BuiltEntry* b) {
                      return collator.compare(a->head, b->head) < 0;
                  });

        SkipCounts skipped;
        const auto choose = [&](const QList<LetterFile::Entry>& existing) {
            QSet<QString> present;
            for (const LetterFile::Entry& entry : existing)
                present.insert(entry.head.toLower());
            QList<const BuiltEntry*> fresh;
            for (const BuiltEntry* entry : candidates) {
                if (present.contains(entry->head.toLower()))
                    skipped.add(Skip::AlreadyThere);
                else
                    fresh.append(entry);
            }
            const qsizetype room = std::max<qsizetype>(0, MaxEntriesPerFile - existing.size());
            if (fresh.size() > room) {
                // Keep the head words with the most meanings, still in alphabetical order.
                QList<const BuiltEntry*> byWeight = fresh;
                std::stable_sort(
                    byWeight.begin(), byWeight.end(),
                    [](const BuiltEntry* a, const BuiltEntry* b) { return a->weight > b->weight; });
                const QSet<const BuiltEntry*> kept(byWeight.begin(), byWeight.begin() + room);
                fresh.removeIf([&](const BuiltEntry* entry) { return !kept.contains(entry); });
                skipped.add(Skip::FileFull, byWeight.size() - room);
            }
            QList<LetterFile::Entry> added;
            added.reserve(fresh.size());
            for (const BuiltEntry* entry : fresh)
                added.append({entry->head, entry->translation});
            return added;
        };

        const LetterFile::AppendOutcome appended =
            LetterFile::appendEntries(path, dictExt, choose, *lines, writer);
        if (appended.failed()) {
            outcome.failures.append(appended.whyNot);
            continue;
        }
        if (!QFileInfo::exists(path)) {
            if (const auto error = writer.replaceFile(
                    path, LetterFile::joinLines(LetterFile::terminatorLines(dictExt)))) {
                outcome.failures.append(
                    QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), *error));
                continue;
            }
        }
        for (int i = 0; i < SkipReasons; ++i)
            outcome.skipped.counts[i] += skipped.counts[i];
        outcome.written += appended.added;
        if (progress)
            progress(QFileInfo(path).fileName(), appended.added);
    }
    return outcome;
}

} // namespace Import
