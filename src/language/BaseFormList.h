#pragma once

#include "language/BaseFormSource.h"
#include "language/CzechEndings.h"
#include "language/EnglishForms.h"

#include <algorithm>

// Collects the candidate base forms of one word: each candidate once, at the lowest cost it
// was reached by; never the word itself. A word has a few dozen candidates at most, so they
// are compared one by one, and a candidate met again costs no copy of its spelling.
class BaseFormList
{
  public:
    explicit BaseFormList(QString word) : m_word(std::move(word)) {}

    void add(QStringView base, int cost)
    {
        if (BaseForm* known = find(base)) {
            known->cost = std::min(known->cost, cost);
            return;
        }
        if (!base.isEmpty() && base != m_word)
            m_forms.append({base.toString(), cost});
    }
    void add(const QString& base, int cost)
    {
        if (BaseForm* known = find(base)) {
            known->cost = std::min(known->cost, cost);
            return;
        }
        if (!base.isEmpty() && base != m_word)
            m_forms.append({base, cost});
    }
    void add(const QList<BaseForm>& forms, int extraCost)
    {
        for (const BaseForm& form : forms)
            add(form.word, form.cost + extraCost);
    }

    // Cheapest first; equal costs in the order they were first found.
    QList<BaseForm> sorted() const
    {
        QList<BaseForm> out = m_forms;
        // An insertion sort: stable, and the list is short.
        for (qsizetype i = 1; i < out.size(); ++i) {
            for (qsizetype j = i; j > 0 && out[j - 1].cost > out[j].cost; --j)
                std::swap(out[j - 1], out[j]);
        }
        return out;
    }

  private:
    BaseForm* find(QStringView base)
    {
        for (BaseForm& form : m_forms) {
            if (form.word == base)
                return &form;
        }
        return nullptr;
    }

    QString m_word;
    QList<BaseForm> m_forms;
};

// Own guesses this cheap are surer than a spelling dictionary's stems: the irregular tables
// (0, 1 with a prefix) and endings that leave no doubt (2: -ého, -ovat's forms, -ies).
inline constexpr int SureCost = 2;
// The cost of a candidate the language's own analyser did not guess at all.
inline constexpr int Unguessed = 50;
// A lookup shows at most this many base forms of one word.
inline constexpr qsizetype MaxBaseForms = 2;

// The guesses of the language's own analyser, cheapest first.
inline QList<BaseForm> ownBaseForms(Language language, const QString& word)
{
    return language == Language::Czech ? CzechEndings::baseFormsOf(word)
                                       : EnglishForms::baseFormsOf(word);
}

// The first candidate that is a head word, and the next ones as cheap, up to MaxBaseForms.
inline QStringList firstHeadWords(const QList<BaseForm>& candidates, const IsHeadWord& isHeadWord)
{
    QStringList found;
    int firstCost = 0;
    for (const BaseForm& candidate : candidates) {
        if (!found.isEmpty() && candidate.cost > firstCost)
            break;
        if (!isHeadWord(candidate.word))
            continue;
        if (found.isEmpty())
            firstCost = candidate.cost;
        found.append(candidate.word);
        if (found.size() == MaxBaseForms)
            break;
    }
    return found;
}
