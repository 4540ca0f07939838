#pragma once

#include "language/BaseFormSource.h"

#include <QHash>

// Collects the candidate base forms of one word: each candidate once, at the lowest cost it
// was reached by; never the word itself.
class BaseFormList
{
  public:
    explicit BaseFormList(QString word) : m_word(std::move(word)) {}

    void add(const QString& base, int cost)
    {
        if (base.isEmpty() || base == m_word)
            return;
        const auto it = m_index.constFind(base);
        if (it == m_index.cend()) {
            m_index.insert(base, m_forms.size());
            m_forms.append({base, cost});
        } else if (cost < m_forms[*it].cost) {
            m_forms[*it].cost = cost;
        }
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
        std::stable_sort(out.begin(), out.end(),
                         [](const BaseForm& a, const BaseForm& b) { return a.cost < b.cost; });
        return out;
    }

  private:
    QString m_word;
    QList<BaseForm> m_forms;
    QHash<QString, qsizetype> m_index;
};
