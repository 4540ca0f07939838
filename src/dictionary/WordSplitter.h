#pragma once

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

} // namespace WordSplitter
