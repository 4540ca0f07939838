#pragma once

#include "DictionaryBuilder.h"

#include <QString>
#include <QStringList>
#include <functional>

class FileWriter;

namespace Import
{

// The most entries a letter file can hold and still be extended by learning.
inline constexpr qsizetype MaxEntriesPerFile = 32767;

struct WriteOutcome {
    qsizetype written = 0;
    qsizetype phrasesWritten = 0; // of them, entries whose head is more than one word
    QString fullestFile;          // the letter file that holds the most entries, and how many
    qsizetype fullestEntries = 0;
    SkipCounts skipped;   // AlreadyThere and FileFull
    QStringList failures; // one line per letter file that was left as it was
};

// Called after each letter file with its name and the number of entries added to it.
using WriteProgress = std::function<void(const QString& fileName, qsizetype added)>;

// Adds the entries to the 26 letter files of one direction in `directory` (created when
// missing), each file sorted in the direction's alphabetical order. A file that exists keeps
// every entry it has, byte for byte; only head words it does not hold yet (in any letter
// case) are added, through the same locked, all-or-nothing rewrite that learning uses. A
// letter without a file gets one, empty if it has no entries.
WriteOutcome writeLetterFiles(const QString& directory, const QString& dictExt,
                              const QList<BuiltEntry>& entries, FileWriter& writer,
                              const WriteProgress& progress = {});

} // namespace Import
