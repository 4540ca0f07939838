#pragma once

#include "language/BaseFormSource.h"
#include "language/CzechEndings.h"
#include "language/EnglishForms.h"

#include <QVarLengthArray>
#include <algorithm>

// Collects the candidate base forms of one word: each candidate once, at the lowest cost it
// was reached by; never the word itself. A word has a few dozen candidates at most, so they
// are compared one by one, and a candidate met again costs no copy of its spelling; they are
// held in place, not in a list of their own on the heap.
class BaseFormList
{
    static constexpr qsizetype InPlace = 32;

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

    // The places of the candidates, cheapest first; equal costs in the order they were
    // first found.
    QVarLengthArray<qsizetype, InPlace> order() const
    {
        // An insertion sort: stable, and the list is short.
        QVarLengthArray<qsizetype, InPlace> order(m_forms.size());
        for (qsizetype i = 0; i < m_forms.size(); ++i) {
            qsizetype j = i;
            for (; j > 0 && m_forms[order[j - 1]].cost > m_forms[i].cost; --j)
                order[j] = order[j - 1];
            order[j] = i;
        }
        return order;
    }
    const BaseForm& at(qsizetype place) const { return m_forms[place]; }

    QList<BaseForm> sorted() const&
    {
        QList<BaseForm> out;
        out.reserve(m_forms.size());
        for (const qsizetype i : order())
            out.append(m_forms[i]);
        return out;
    }
    QList<BaseForm> sorted() &&
    {
        QList<BaseForm> out;
        out.reserve(m_forms.size());
        for (const qsizetype i : order())
            out.append(std::move(m_forms[i]));
        return out;
    }

  private:
    BaseForm* find(QStringView base)
    {
        // Candidates mostly differ in their endings: those are compared first.
        for (BaseForm& form : m_forms) {
            if (form.word.size() == base.size() &&
                std::equal(base.rbegin(), base.rend(), form.word.crbegin()))
                return &form;
        }
        return nullptr;
    }

    QString m_word;
    QVarLengthArray<BaseForm, InPlace> m_forms;
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
