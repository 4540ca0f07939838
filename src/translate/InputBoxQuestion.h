#pragma once

#include "translate/TranslationView.h"

class QWidget;

// The modal input dialog of learning: the prompt (wrapped so that it can be read), one edit
// line that starts empty, OK and "Storno" (Cancel). Enter confirms; Storno, Escape and the close
// box give the empty string.
class InputBoxQuestion final : public TranslationQuestion
{
  public:
    explicit InputBoxQuestion(QWidget* parent) : m_parent(parent) {}

    QString ask(const QString& prompt, const QString& title) override;

  private:
    QWidget* m_parent;
};
