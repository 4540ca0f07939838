#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>

// The layout of the word-form table file: a header, then for each language (Czech, English)
// a section of three arrays and a block of strings. Every number is little-endian; every
// offset counts bytes from the start of the file, so that the file is used as it is mapped.
//
//   keys     the distinct folded spellings (foldDiacritics) of the section's forms, sorted by
//            their UTF-8 bytes, with one more key after the last that only closes its range;
//            key i owns entries [keys[i].firstEntry, keys[i + 1].firstEntry)
//   entries  one per form and base form, grouped by key; a form is kept as the marks that
//            its key lacks (markPattern), which many forms share
//   bases    the head words the forms belong to, each with its weight
//   known    the hashes (wordHash) of the words the language's spelling dictionary holds as
//            they are, sorted: whether it knows a word that is no form of a head word
//   strings  NUL-terminated UTF-8 text, referred to by offsets from the block's start
namespace FormTableFormat
{

inline constexpr std::array<char, 8> Magic{'S', 'L', 'V', 'F', 'O', 'R', 'M', 'S'};
inline constexpr quint32 Version = 3;

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

struct Key {
    quint32 text;
    quint32 firstEntry;
};

struct Entry {
    quint32 form;
    quint32 baseAndKind; // base index << 2 | kind
};

struct Base {
    quint32 text;
    quint32 weight; // the more, the more common the word
};

struct Section {
    quint32 keyCount; // without the closing key
    quint32 keys;
    quint32 entryCount;
    quint32 entries;
    quint32 baseCount;
    quint32 bases;
    quint32 strings;
    quint32 stringsSize;
    quint32 knownCount;
    quint32 known;
};

struct Header {
    std::array<char, 8> magic;
    quint32 version;
    quint32 reserved;
    std::array<Section, 2> sections; // Czech, English
};

} // namespace FormTableFormat
