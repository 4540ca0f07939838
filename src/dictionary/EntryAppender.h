#pragma once

#include "dictionary/LetterFile.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

class FileWriter;

namespace LetterFile
{

// The line slots of a letter file that learning extends: slot j stands for line j+1 of the
// file. Their number limits a file that can be extended to 32,767 entries before its
// terminator. The lines a file already has stay in its bytes and are only counted against
// the slots; the slots of the new entries receive their head and translation lines. Nothing
// reads the other slots, so the file's lines are never decoded into them (that decoding was
// most of the cost of learning into a large file) and they are not emptied each time.
inline constexpr int LineBufferSlots = 65536;
using LineBuffer = std::array<QString, LineBufferSlots>;

struct AppendOutcome {
    qsizetype added = 0; // entries written; 0 with whyNot empty means nothing to add
    QString whyNot;      // set when the file was left as it was (Czech, for the user)
    bool failed() const { return !whyNot.isEmpty(); }
};

// Chooses, from the entries a file already holds, the entries to add to it.
using EntryChooser = std::function<QList<Entry>(const QList<Entry>& existing)>;

// Where new entries go in a file holding `bytes`, decided by how the lookup reads it, so that
// every entry the lookup found before a rewrite it finds after it: at the head line where the
// lookup stops (endsLookup()), which is the terminator and is replaced; else at the end of the
// file, before a Czech-to-English terminator pair or in place of a last head line that reads
// "end"; a file that ends in another head line without its translation takes no entries.
struct Place {
    qsizetype line = 0;       // the index of the line the first new head line gets
    qsizetype keptBefore = 0; // the bytes before this offset are kept in front of the entries
    qsizetype keptFrom = 0;   // the bytes from this offset are kept after the new terminator
    bool headWithoutTranslation = false;
};
Place placeFor(QByteArrayView bytes, const QString& dictExt);

// Adds entries at the end of a letter file, at placeFor(), rewriting the file whole: the bytes
// before the place are kept byte for byte, the new entries and the terminator of the direction
// follow, then every line after the old terminator, byte for byte. The file is locked against other
// copies of the program from the read to the rename; a missing file is created. On any failure the
// file stays byte for byte as it was.
AppendOutcome appendEntries(const QString& path, const QString& dictExt, const EntryChooser& choose,
                            LineBuffer& lines, FileWriter& writer);

AppendOutcome appendEntry(const QString& path, const QString& dictExt, const Entry& entry,
                          LineBuffer& lines, FileWriter& writer);

// The content a file holding `bytes` has after `entries` are added, without touching any
// file; `name` names the file in a refusal. `content` is empty when nothing is added.
struct Rewrite {
    QByteArray content;
    qsizetype added = 0;
    QString whyNot;
};
Rewrite rewriteWith(QByteArrayView bytes, const QString& dictExt, const QList<Entry>& entries,
                    const QString& name, LineBuffer& lines);

} // namespace LetterFile
