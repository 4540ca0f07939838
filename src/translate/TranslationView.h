#pragma once

#include "state/MousePointer.h"

#include <QString>

// What the translate handler does to the translation window: read and empty the input box,
// fill the output box, show the busy pointer.
class TranslationView
{
  public:
    virtual ~TranslationView() = default;

    virtual QString inputText() const = 0; // Text1
    virtual void setInputText(const QString& text) = 0;
    virtual void setOutputText(const QString& text) = 0; // Text2, lines ending in CR LF
    virtual void setMousePointer(MousePointer pointer) = 0;
};

// The modal input dialog of learning: shows a prompt under a title and returns what the
// user typed, or an empty string on Cancel.
class TranslationQuestion
{
  public:
    virtual ~TranslationQuestion() = default;

    virtual QString ask(const QString& prompt, const QString& title) = 0;
};
