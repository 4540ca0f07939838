#pragma once

#include "dictionary/LookupTable.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

// The lookup tables of the letter files read so far, kept from one press to the next (a file
// of ordinary size whole in memory, a big one open with where each entry starts), so that a
// lookup reads no file it has read before. A file is read again only when it has changed: at
// its first use in a pass its identity and modification time are compared with those it had
// when it was read, so another program's learning is seen by the next pass. One object
// serves the whole program.
class HeadIndex
{
  public:
    // Opens a letter file for reading; nullptr when it cannot be opened (tests count the reads).
    using Opener = std::function<std::unique_ptr<QIODevice>(const QString& path)>;
    static std::unique_ptr<QIODevice> openFile(const QString& path);

    explicit HeadIndex(Opener open = openFile);

    // Starts a pass (a press of the translate button): each file is checked for changes once,
    // at its first use in the pass.
    void beginPass();

    // The lowered translations that a lookup of `loweredWord` reaches in the file at `path`,
    // in file order; a file that is missing, cannot be read or is no regular file has none.
    // `path` may name a Qt resource.
    QStringList translationsOf(const QString& path, const QString& loweredWord);
    // The table that lookup uses, checked as it checks it (its contains() tests for a head
    // without decoding a translation). It stays valid, and shows the file as it was at its
    // check, until forget(path) or the file's check in a later pass.
    const LetterFile::LookupTable& table(const QString& path);

    // Drops what was read from `path`, after the program has rewritten it.
    void forget(const QString& path);

    // What the index holds in memory, the kept file bytes included.
    qsizetype memoryBytes() const;

  private:
    // What identifies one version of a file: taken before the file is read, so a file that is
    // replaced while it is read is read again at the next check. A file changed in place
    // within the clock tick of its modification time would keep its stamp, so the stamp of a
    // file changed less than a few seconds before it is taken is not trusted.
    struct Stamp {
        bool exists = false;
        bool regular = true; // not a fifo, a device or a directory, which are never opened
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        bool settled = true; // last changed long enough before the stamp was taken
        bool operator==(const Stamp&) const = default;
    };
    static std::optional<Stamp> stampOf(const QString& path);

    struct File {
        std::optional<Stamp> stamp; // empty: not trusted, read again at the next check
        LetterFile::LookupTable table;
        quint64 checkedInPass = 0;
    };
    const File& current(const QString& path);

    Opener m_open;
    std::unordered_map<QString, File> m_files;
    quint64 m_pass = 1;
};
