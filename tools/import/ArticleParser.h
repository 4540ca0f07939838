#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Import
{

// One meaning of an article, cleaned for a translation line.
struct Sense {
    QString text;         // what the translation line shows: short notes in parentheses stay
    QString core;         // the text without any parenthesised note: compared, counted, inverted
    QString partOfSpeech; // from the headword line ("n", "v", "adj", ...), or empty
    QStringList domains;  // field and style labels of the meaning ("chem", "hovor", ...)
    bool operator==(const Sense&) const = default;
};

// A parenthesised note longer than this is an explanation, not a qualifier, and is dropped.
inline constexpr qsizetype MaxNoteLength = 30;

// The meanings of one dictd article. The headword line (the first line when it starts with
// the head's first word) gives the part of speech and is dropped; so are usage notes
// ("Note: ..."), sense numbers, labels in square brackets (kept in `domains`), marks in angle
// brackets and braces, and long explanations in parentheses. A line that lists short
// synonyms ("troska, ruina") gives one meaning per synonym; meanings never hold ";".
//
// dictd indexes often keep only letters, digits and blanks of a head ("be" for "be!",
// "cooperate" for "co-operate"); the head as the headword line spells it is the real one.
struct ParsedArticle {
    QString head;
    QList<Sense> senses;
};
ParsedArticle parseArticle(const QString& indexHead, const QString& body);

// The number of blank-separated words of a text.
qsizetype wordCount(QStringView text);

} // namespace Import
