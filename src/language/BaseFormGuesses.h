#pragma once

#include "language/BaseFormSource.h"

#include <QList>
#include <QString>
#include <QStringView>

// The cost of a candidate base form the language's own analyser did not guess at all.
inline constexpr int Unguessed = 50;

// Candidate base forms of one word, cheapest first, spelt one after another in one string: a
// word has a few dozen, most of them no word at all, and they cost one allocation, not one each.
class BaseFormGuesses
{
  public:
    qsizetype size() const { return m_spans.size(); }
    QStringView word(qsizetype i) const
    {
        return QStringView(m_text).sliced(m_spans[i].at, m_spans[i].size);
    }
    int cost(qsizetype i) const { return m_spans[i].cost; }
    // The cost of `base` among them; Unguessed when it is not one of them.
    int costOf(QStringView base) const
    {
        for (qsizetype i = 0; i < size(); ++i) {
            if (word(i) == base)
                return cost(i);
        }
        return Unguessed;
    }
    QList<BaseForm> toList() const
    {
        QList<BaseForm> out;
        out.reserve(size());
        for (qsizetype i = 0; i < size(); ++i)
            out.append({word(i).toString(), cost(i)});
        return out;
    }

  private:
    friend class BaseFormList;
    struct Span {
        qsizetype at;
        qsizetype size;
        int cost;
    };
    QString m_text;
    QList<Span> m_spans;
};
