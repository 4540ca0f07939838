#pragma once

#include <QString>

// What learning makes of the text the user typed as a word's translation.
namespace LearningAnswer
{

// Nothing typed but blanks counts as no answer: the word is skipped, as on Cancel.
bool isNone(const QString& answer);

// Why an answer cannot be stored as typed, as the first words of the next question; empty
// when it can.
QString whyNotStorable(const QString& answer);

} // namespace LearningAnswer
