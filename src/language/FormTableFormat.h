#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <array>

// The layout of the word-form table file: a header, then for each language (Czech, English)
// a section. Every number is little-endian (fixed-size ones) or a varint (7 bits a byte, low
// first); every offset counts bytes from the start of the file. The program reads the small
// indexes when it opens the table and the rest a block at a time, so that a lookup costs the
// process the block it reads and no more.
//
//   key blocks   the distinct folded spellings (foldDiacritics) of the section's forms,
//                sorted by their UTF-8 bytes, KeysPerBlock to a block; each key is front-coded
//                against the one before it in its block (one byte: how many leading bytes it
//                shares, varint: how many follow, the bytes), then its entries (varint: how
//                many bytes they take, so that a reader passes over them at once; then each
//                an Entry: varints of its mark pattern's number, base << 2 | kind, the base's
//                weight, how many first letters of the form the base shares and the length
//                of the base's other letters, then those letters). The base forms are
//                numbered in their sorted order, so that candidates are ranked before any is
//                decoded, and each base is spelt beside its form, so that no other part of the
//                file is read for it
//   block index  quint32 offsets of the key blocks, one more closing the last
//   first keys   each block's first key, NUL-terminated, in block order
//   patterns     the distinct mark patterns (markPattern), NUL-terminated; number 0 is ""
//   known        the hashes (wordHash) of the words the language's spelling dictionary holds as
//                they are, sorted quint32: whether it knows a word that is no form of a head
//                word; and every KnownStride-th of them again, to find the stretch to read
//   near arcs    the keys again, as the smallest automaton that spells them (its states that
//                end the same ways are one), for the search of words a few edits away: each
//                state is the run of its arcs, sorted by their bytes, and an arc is a quint32
//                (its byte; ArcLast on the last of its state's; ArcToKey when the bytes up to
//                here spell a key; the index of its target state's first arc, 0 for a state
//                with no arcs, from ArcTargetShift up). The start state's arcs come first, at 1;
//                keys of MostNearLength bytes or more are left out (no word is that long)
namespace FormTableFormat
{

inline constexpr std::array<char, 8> Magic{'S', 'L', 'V', 'F', 'O', 'R', 'M', 'S'};
inline constexpr quint32 Version = 6;
inline constexpr quint32 KeysPerBlock = 64;
// Every this many known hashes one is also kept in a short index, read when the table opens.
inline constexpr quint32 KnownStride = 128;
// A block is never longer: a reader can refuse a damaged index before it reads.
inline constexpr quint32 MostBlockBytes = 1 << 20;

// How a form belongs to its base form.
enum class Kind : quint8 {
    HeadWord = 0,  // the form is the head word itself
    Inflected = 1, // one of the head word's inflected forms
    Derived = 2,   // a form of another word whose base form is the head word (byla -> byl -> být)
};

// FNV-1a of a word's UTF-8 bytes: the same wherever the table is made or read.
inline quint32 wordHash(const QByteArray& utf8)
{
    quint32 hash = 2166136261u;
    for (const char c : utf8)
        hash = (hash ^ quint8(c)) * 16777619u;
    return hash;
}

// A pattern that holds the whole form instead: the form's marks are not the only difference.
inline constexpr char WholeForm = '\x7f';

// What a form has that its folded spelling lacks: for each diacritic mark of the decomposed
// form, the position in the folded spelling it follows (one byte, 1-based) and the mark.
// Empty when the form is spelt as folded.
inline QByteArray markPattern(const QString& form)
{
    const QString decomposed = form.normalized(QString::NormalizationForm_D);
    QString pattern;
    qsizetype position = 0;
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            ++position;
        else if (position > 0 && position < WholeForm)
            pattern.append(QChar(char16_t(position))).append(c);
        else
            return WholeForm + form.toUtf8();
    }
    return pattern.toUtf8();
}

// The form back from its folded spelling and its pattern.
inline QString formOf(const QString& folded, const QString& pattern)
{
    if (pattern.startsWith(QLatin1Char(WholeForm)))
        return pattern.mid(1);
    if (pattern.isEmpty())
        return folded;
    QString decomposed = folded;
    for (qsizetype i = pattern.size() - 2; i >= 0; i -= 2)
        decomposed.insert(std::min<qsizetype>(pattern[i].unicode(), decomposed.size()),
                          pattern[i + 1]);
    return decomposed.normalized(QString::NormalizationForm_C);
}

inline void appendVarint(QByteArray& out, quint32 value)
{
    while (value >= 0x80) {
        out.append(char((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out.append(char(value));
}

// The varint at `at`, which is moved past it; false when it runs past `end` or is too long.
inline bool readVarint(const char*& at, const char* end, quint32& value)
{
    value = 0;
    for (int shift = 0; shift < 35 && at < end; shift += 7) {
        const auto byte = quint8(*at++);
        value |= quint32(byte & 0x7f) << shift;
        if (byte < 0x80)
            return true;
    }
    return false;
}

inline constexpr qsizetype MostNearLength = 255;

// An arc of the near automaton.
inline constexpr quint32 ArcLast = 1u << 8;
inline constexpr quint32 ArcToKey = 1u << 9;
inline constexpr int ArcTargetShift = 10;
inline constexpr quint32 MostArcs = 1u << (32 - ArcTargetShift);

struct Section {
    quint32 keyCount;
    quint32 blockCount;
    quint32 blockIndex; // blockCount + 1 offsets
    quint32 firstKeys;
    quint32 firstKeysSize;
    quint32 patterns;
    quint32 patternsSize;
    quint32 knownCount;
    quint32 known;
    quint32 knownIndex; // (knownCount + KnownStride - 1) / KnownStride hashes
    quint32 arcCount;   // of the near automaton, the unused arc 0 included
    quint32 arcs;
};

struct Header {
    std::array<char, 8> magic;
    quint32 version;
    quint32 reserved;
    std::array<Section, 2> sections; // Czech, English
};

// One form of a key, as its block holds it.
struct Entry {
    quint32 pattern = 0;     // the number of its mark pattern
    quint32 baseAndKind = 0; // the base's number << 2 | Kind
    quint32 weight = 0;      // the base's
    quint32 baseShared = 0;  // how many first letters (UTF-16) of the form the base shares
    QByteArrayView baseRest; // the base's other letters, UTF-8

    Kind kind() const { return Kind(baseAndKind & 3); }
    quint32 base() const { return baseAndKind >> 2; }
    QString baseText(const QString& form) const
    {
        return form.left(baseShared) + QString::fromUtf8(baseRest);
    }
};

inline void appendEntry(QByteArray& out, quint32 pattern, quint32 baseAndKind, quint32 weight,
                        const QString& form, const QString& base)
{
    const auto shared =
        std::mismatch(form.cbegin(), form.cend(), base.cbegin(), base.cend()).first - form.cbegin();
    const QByteArray rest = base.mid(shared).toUtf8();
    for (const quint32 number :
         {pattern, baseAndKind, weight, quint32(shared), quint32(rest.size())})
        appendVarint(out, number);
    out.append(rest);
}

// The entry at `at`, which is moved past it; false when it runs past `end`.
inline bool readEntry(const char*& at, const char* end, Entry& entry)
{
    quint32 restSize = 0;
    if (!readVarint(at, end, entry.pattern) || !readVarint(at, end, entry.baseAndKind) ||
        !readVarint(at, end, entry.weight) || !readVarint(at, end, entry.baseShared) ||
        !readVarint(at, end, restSize) || restSize > end - at)
        return false;
    entry.baseRest = QByteArrayView(at, restSize);
    at += restSize;
    return true;
}

// Finds a key in one key block, and its entries.
class KeyBlockReader
{
  public:
    explicit KeyBlockReader(const QByteArray& block)
        : m_at(block.constData()), m_end(m_at + block.size())
    {
    }

    // Moves to `key`; false when the block does not hold it or is damaged. No key is spelt
    // out: each is weighed by where it parts from the one before, against how far that one
    // agreed with `key`.
    bool find(QByteArrayView key)
    {
        qsizetype matched = 0; // leading bytes the key before shares with `key`
        while (m_at < m_end) {
            const qsizetype shared = quint8(*m_at++);
            quint32 length = 0, size = 0;
            if (!readVarint(m_at, m_end, length) || length > m_end - m_at)
                return false;
            const char* rest = m_at;
            m_at += length;
            if (!readVarint(m_at, m_end, size) || size > m_end - m_at)
                return false;
            m_entries = m_at;
            m_at += size;
            // Parting earlier than the key before did, this one sorts after `key`; later, it
            // still sorts before it.
            if (shared < matched)
                return false;
            if (shared > matched)
                continue;
            qsizetype same = 0;
            while (same < length && matched + same < key.size() &&
                   rest[same] == key[matched + same])
                ++same;
            matched += same;
            if (same == qsizetype(length)) {
                if (matched == key.size())
                    return true;
                continue; // a beginning of `key`
            }
            // `key` is a beginning of this one, or parts from it with a smaller byte.
            if (matched == key.size() || quint8(rest[same]) > quint8(key[matched]))
                return false;
        }
        return false;
    }
    // Calls use(entry) for each entry of the key found, up to one that is damaged.
    template <typename Use> void entries(const Use& use) const
    {
        const char* at = m_entries;
        Entry entry;
        while (at < m_at && readEntry(at, m_at, entry))
            use(entry);
    }

  private:
    const char* m_at;
    const char* m_end;
    const char* m_entries = nullptr; // the key's, up to m_at
};

} // namespace FormTableFormat
