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
//
// Every line break ends a line (LF, CR, CR LF, and the rarer ones Unicode has); a tab is a
// blank. A meaning that still holds a control character or a character that Windows-1250
// lacks cannot go into a letter file: it is left out and counted in `droppedSenses`.
struct ParsedArticle {
    QString head;
    QList<Sense> senses;
    qsizetype droppedSenses = 0;
};
ParsedArticle parseArticle(const QString& indexHead, const QString& body);

// Whether `text` holds a control character or a line break.
bool hasControlCharacter(QStringView text);

// Whether `text` can be one line of a letter file: no control character or line break, and
// only characters that Windows-1250 holds.
bool fitsLetterFileLine(QStringView text);

// The number of blank-separated words of a text.
qsizetype wordCount(QStringView text);

} // namespace Import
