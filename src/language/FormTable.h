#pragma once

#include "language/FormLookup.h"
#include "language/FormTableFormat.h"

#include <QFile>
#include <QHash>
#include <QStringList>
#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

// The word-form table of the dictionary's head words (made at build time from Hunspell's
// affix expansion, see tools/forms), read from its file a block at a time: opening reads the
// small indexes, and a lookup reads the block of keys it needs. Only the small automaton of the
// keys that the search for mistyped words walks is mapped, and all of it at once: the kernel
// maps a whole large page-cache folio on one touch, so a mapped table soon counted in full to
// the program's memory. Forms are found by their folded spelling, so the words typed
// without diacritics come for free.
class FormTable final : public FormLookup
{
  public:
    // nullptr, with the reason in whyNot, when the file is missing or is not a whole table.
    static std::shared_ptr<FormTable> open(const QString& path, QString* whyNot = nullptr);
    // Where the program looks for its table: beside itself, then where it is installed.
    static QStringList installedFiles();
    // The first of installedFiles() that opens; nullptr, with a warning, when none does.
    static std::shared_ptr<FormTable> openInstalled();

    // One form of the table and the base form it belongs to.
    struct Form {
        QString form;
        QString base;
        FormTableFormat::Kind kind;
        quint32 weight;
    };
    // The forms whose folded spelling is `folded`.
    QList<Form> formsFolded(Language language, const QString& folded) const;
    // The forms spelt exactly `loweredWord`.
    QList<Form> formsOf(Language language, const QString& loweredWord) const;
    // Whether the spelling dictionary the table was made from knows the word, given its
    // forms (formsOf): as one of a head word's inflected forms or as it is.
    bool knows(Language language, const QString& loweredWord, const QList<Form>& forms) const;
    // Each folded spelling (UTF-8) of the table that is at most maxEdits edits (insertions,
    // deletions, substitutions, swaps of neighbours) from `folded` and starts with its first
    // or second byte, with its edits, in the keys' sorted order.
    std::vector<std::pair<QByteArray, int>> keysNear(Language language, const QString& folded,
                                                     int maxEdits) const;

    QList<FormMatch> folded(const QString& loweredWord, Language language,
                            int limit) const override;
    QList<FormMatch> near(const QString& loweredWord, Language language, int limit,
                          int mostEdits = 2) const override;
    bool isWord(const QString& loweredWord, Language language) const override;

    // The size of the file.
    qint64 size() const { return m_size; }

  private:
    // What is read of a section when the table opens.
    struct Index {
        FormTableFormat::Section section{};
        std::vector<quint32> blockOffsets;
        QByteArray firstKeys;
        std::vector<quint32> firstKeyAt;
        QByteArray patterns; // as in the file: most are a few bytes
        std::vector<quint32> patternAt;
        std::vector<quint32> knownSample; // every KnownStride-th hash
        // The near automaton's arcs, mapped when first searched.
        mutable std::span<const quint32> arcs;
        mutable std::once_flag arcsRead;
        // Blocks read so far, by number.
        mutable QHash<quint32, QByteArray> keyBlocks;
        // Stretches of the known words' hashes read so far, by number.
        mutable QHash<quint32, QByteArray> knownStretches;
        mutable QHash<QByteArray, QList<Form>> decoded;
    };

    FormTable() = default;
    bool load(const QString& path, QString* whyNot);
    bool loadIndex(Index& index);
    // `size` bytes from `offset`; empty when they cannot be read.
    QByteArray read(quint64 offset, quint64 size) const;
    // The same into `out`, whose memory is kept for the next read.
    bool read(quint64 offset, quint64 size, QByteArray& out) const;
    const Index& index(Language language) const;
    // The near automaton's arcs, mapped when first asked for; none when they cannot be.
    std::span<const quint32> arcs(const Index& index) const;
    // A key block, read when first asked for (the lock held).
    QByteArray block(const Index& index, quint32 number) const;
    // The key blocks of these numbers, those not kept read at once (the lock held).
    QHash<quint32, QByteArray> blocks(const Index& index, std::vector<quint32> numbers) const;
    // Keeps what was read for the next lookups (the lock held).
    void keep(QHash<quint32, QByteArray>& cache, quint32 number, const QByteArray& bytes) const;
    // The number of the block `folded`'s key would lie in.
    std::optional<quint32> blockOf(const Index& index, const QByteArray& folded) const;
    // Calls use(entry) for each entry of `folded`'s key in `block`.
    template <typename Use>
    void entriesIn(const Index& index, const QByteArray& block, const QByteArray& folded,
                   const Use& use) const;
    // The entries of `folded`'s key, decoded.
    QList<Form> formsOfKey(const Index& index, const QByteArray& folded) const;
    QString formOfKey(const Index& index, const QString& folded, quint32 pattern) const;

    std::unique_ptr<QFile> m_file;
    int m_fd = -1;
    qint64 m_size = 0;
    std::array<Index, 2> m_indexes;
    mutable std::mutex m_lock;
    mutable qint64 m_cachedBytes = 0;
};
