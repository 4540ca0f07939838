#pragma once

#include <QString>
#include <optional>

// What a line of a letter file may hold: one line of printable text in the code page. The
// rewrite refuses anything else, and learning asks again, each in its own words.
namespace StorableText
{

enum class Fault { LineBreak, ControlCharacter, NotInCodePage };

struct Problem {
    Fault fault;
    QString character; // the offending character (both halves of a surrogate pair)
};

// The first reason `text` cannot be stored as one line, if any.
std::optional<Problem> firstProblem(QStringView text);

// The character as the user is shown it: itself, or U+XXXX for a control character.
QString shown(const Problem& problem);

} // namespace StorableText
