#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Splitting a typed text into the words that are looked up.
namespace WordSplitter
{

// A word character is one of the codes 65 to 122 (A-Z, the six characters [ \ ] ^ _ `
// and a-z) or a letter of the Windows-1250 code page whose canonical decomposition begins
// with a letter a-z or A-Z (á, č, ř, Ů, ...). Everything else, digits, apostrophe and
// hyphen included, separates words.
bool isWordCharacter(QChar c);

// The words of `text` in order of occurrence, as typed (not yet lowered).
QStringList split(QStringView text);

// A word as typed, and whether a sentence starts with it: it is the text's first word, or
// only separators with a full stop, question or exclamation mark or a line end among them
// come before it.
struct Token {
    QString text;
    bool sentenceStart = false;
    bool operator==(const Token&) const = default;
};

// As split(), but an English contraction or possessive stays one word, its apostrophe
// written ' whichever apostrophe was typed: a word, an apostrophe and n't, 's, 're, 've,
// 'll, 'd or 'm (don't, it's, John's, you're), and o'clock and 'tis. Every other apostrophe
// separates words as before (rock'n'roll, the quotes of 'word').
QList<Token> tokens(QStringView text, bool keepContractions);

} // namespace WordSplitter
