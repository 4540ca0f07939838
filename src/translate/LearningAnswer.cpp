#include "translate/LearningAnswer.h"

#include "dictionary/StorableText.h"

namespace LearningAnswer
{

bool isNone(const QString& answer)
{
    return answer.trimmed().isEmpty();
}

QString whyNotStorable(const QString& answer)
{
    using StorableText::Fault;
    const auto problem = StorableText::firstProblem(answer);
    if (!problem)
        return {};
    switch (problem->fault) {
    case Fault::LineBreak:
        return QStringLiteral(
            "Překlad nesmí obsahovat konec řádku. Napište ho prosím na jeden řádek.");
    case Fault::ControlCharacter:
        return QStringLiteral("Překlad nesmí obsahovat řídicí znak %1. Napište ho prosím bez něj.")
            .arg(StorableText::shown(*problem));
    case Fault::NotInCodePage:
        break;
    }
    return QStringLiteral("Znak „%1“ nelze do slovníku uložit. Napište prosím překlad bez něj.")
        .arg(problem->character);
}

} // namespace LearningAnswer
