#include "dictionary/StorableText.h"

#include "dictionary/Cp1250.h"

namespace StorableText
{

std::optional<Problem> firstProblem(QStringView text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return Problem{Fault::LineBreak, QString(c)};
    }
    // C0 and C1 controls, DEL included: the code page holds the C1 ones only for the bytes it
    // leaves undefined, which a file may carry but no one types.
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return Problem{Fault::ControlCharacter, QString(c)};
    }
    if (const auto bad = Cp1250::firstUnencodable(text))
        return Problem{Fault::NotInCodePage, *bad};
    return std::nullopt;
}

QString shown(const Problem& problem)
{
    if (problem.fault == Fault::NotInCodePage)
        return problem.character;
    return QStringLiteral("U+%1")
        .arg(problem.character.at(0).unicode(), 4, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace StorableText
