#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

// The language of the words a lookup asks for: Czech in the Czech-to-English direction,
// English in the English-to-Czech one.
enum class Language { Czech, English };

// One candidate base form of an inflected word, lowered, with its cost: the lower, the likelier.
struct BaseForm {
    QString word;
    int cost = 0;
    bool operator==(const BaseForm&) const = default;
};

// Whether a lowered candidate is a head word of the dictionary.
using IsHeadWord = std::function<bool(QStringView loweredBase)>;

// Where a lookup gets the base forms of a word that has no entry of its own.
class BaseFormSource
{
  public:
    virtual ~BaseFormSource() = default;

    // Gets the language ready, if that takes time, without waiting for it.
    virtual void prepare(Language) {}

    // One press's questions are over: what was kept to answer them alike may go.
    virtual void endPass() const {}

    // The likeliest base form of the word that is a head word, and a second one only when it
    // is as likely; empty when there is none or when the language's analyser is not ready
    // yet. Candidates are asked for in order of likelihood, and no more than needed.
    virtual QStringList baseFormsOf(const QString& loweredWord, Language language,
                                    const IsHeadWord& isHeadWord) const = 0;
};
