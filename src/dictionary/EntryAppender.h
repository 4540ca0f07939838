#pragma once

#include "dictionary/LetterFile.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

class FileWriter;

namespace LetterFile
{

// The buffer that holds a letter file's lines while it is extended. Its size limits a file
// that can be extended to 32,767 entries before its terminator.
inline constexpr int LineBufferSlots = 65536;
using LineBuffer = std::array<QString, LineBufferSlots>;

struct AppendOutcome {
    qsizetype added = 0; // entries written; 0 with whyNot empty means nothing to add
    QString whyNot;      // set when the file was left as it was (Czech, for the user)
    bool failed() const { return !whyNot.isEmpty(); }
};

// Chooses, from the entries a file already holds, the entries to add to it.
using EntryChooser = std::function<QList<Entry>(const QList<Entry>& existing)>;

// Adds entries at the end of a letter file, just before its terminator, rewriting the file
// whole: every line before the terminator is kept as it is, the terminator of the direction
// follows the new entries, and every line after the old terminator follows it unchanged.
// The file is locked against other copies of the program from the read to the rename; a
// missing file is created. On any failure the file stays byte for byte as it was.
AppendOutcome appendEntries(const QString& path, const QString& dictExt, const EntryChooser& choose,
                            LineBuffer& lines, FileWriter& writer);

AppendOutcome appendEntry(const QString& path, const QString& dictExt, const Entry& entry,
                          LineBuffer& lines, FileWriter& writer);

} // namespace LetterFile
