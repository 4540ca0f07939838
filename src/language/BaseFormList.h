#pragma once

#include "language/BaseFormGuesses.h"
#include "language/BaseFormSource.h"
#include "language/CzechEndings.h"
#include "language/EnglishForms.h"

#include <QVarLengthArray>
#include <algorithm>

// Collects the candidate base forms of one word: each candidate once, at the lowest cost it
// was reached by; never the word itself. A word has a few dozen candidates at most, so they
// are compared one by one, and a candidate met again costs no copy of its spelling.
class BaseFormList
{
    static constexpr qsizetype InPlace = 32;
    // Enough for the spellings of most words' candidates, so that they are seldom moved.
    static constexpr qsizetype TextReserved = 256;

  public:
    explicit BaseFormList(QString word) : m_word(std::move(word)) {}

    void add(QStringView base, int cost)
    {
        if (Span* known = find(base)) {
            known->cost = std::min(known->cost, cost);
            return;
        }
        if (base.isEmpty() || base == m_word)
            return;
        if (m_spans.isEmpty())
            m_text.reserve(TextReserved);
        m_spans.append({m_text.size(), base.size(), cost});
        m_text.append(base);
    }

    // The places of the candidates, cheapest first; equal costs in the order they were
    // first found.
    QVarLengthArray<qsizetype, InPlace> order() const
    {
        // An insertion sort: stable, and the list is short.
        QVarLengthArray<qsizetype, InPlace> order(m_spans.size());
        for (qsizetype i = 0; i < m_spans.size(); ++i) {
            qsizetype j = i;
            for (; j > 0 && m_spans[order[j - 1]].cost > m_spans[i].cost; --j)
                order[j] = order[j - 1];
            order[j] = i;
        }
        return order;
    }
    // The candidate at a place: valid until the next one is added.
    QStringView word(qsizetype place) const
    {
        return QStringView(m_text).sliced(m_spans[place].at, m_spans[place].size);
    }
    int cost(qsizetype place) const { return m_spans[place].cost; }

    // Cheapest first; the spellings stay where they are, only their places are sorted.
    BaseFormGuesses guesses() &&
    {
        BaseFormGuesses out;
        if (m_spans.isEmpty())
            return out;
        out.m_spans.reserve(m_spans.size());
        for (const qsizetype i : order())
            out.m_spans.append(m_spans[i]);
        out.m_text = std::move(m_text);
        return out;
    }

  private:
    using Span = BaseFormGuesses::Span;

    Span* find(QStringView base)
    {
        // Candidates mostly differ in their endings: those are compared first.
        for (Span& span : m_spans) {
            if (span.size == base.size() &&
                std::equal(base.rbegin(), base.rend(),
                           QStringView(m_text).sliced(span.at, span.size).rbegin()))
                return &span;
        }
        return nullptr;
    }

    QString m_word;
    QString m_text;
    QVarLengthArray<Span, InPlace> m_spans;
};

// Own guesses this cheap are surer than a spelling dictionary's stems: the irregular tables
// (0, 1 with a prefix) and endings that leave no doubt (2: -ého, -ovat's forms, -ies).
inline constexpr int SureCost = 2;
// A lookup shows at most this many base forms of one word.
inline constexpr qsizetype MaxBaseForms = 2;

// The guesses of the language's own analyser, cheapest first.
inline BaseFormGuesses ownGuesses(Language language, const QString& word)
{
    return language == Language::Czech ? CzechEndings::guessesOf(word)
                                       : EnglishForms::guessesOf(word);
}
inline QList<BaseForm> ownBaseForms(Language language, const QString& word)
{
    return ownGuesses(language, word).toList();
}

// The first of the candidates from..to (their spellings and costs by place) that is a head
// word, and the next ones as cheap, up to MaxBaseForms.
template <typename Word, typename Cost>
QStringList firstHeadWords(qsizetype from, qsizetype to, const Word& word, const Cost& cost,
                           const IsHeadWord& isHeadWord)
{
    QStringList found;
    int firstCost = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (!found.isEmpty() && cost(i) > firstCost)
            break;
        if (!isHeadWord(word(i)))
            continue;
        if (found.isEmpty())
            firstCost = cost(i);
        found.append(word(i).toString());
        if (found.size() == MaxBaseForms)
            break;
    }
    return found;
}

inline QStringList firstHeadWords(const QList<BaseForm>& candidates, const IsHeadWord& isHeadWord)
{
    return firstHeadWords(
        0, candidates.size(), [&](qsizetype i) { return QStringView(candidates[i].word); },
        [&](qsizetype i) { return candidates[i].cost; }, isHeadWord);
}

// The same of the guesses from..to (all of them by default).
inline QStringList firstHeadWords(const BaseFormGuesses& guesses, const IsHeadWord& isHeadWord,
                                  qsizetype from = 0, qsizetype to = -1)
{
    return firstHeadWords(
        from, to < 0 ? guesses.size() : to, [&](qsizetype i) { return guesses.word(i); },
        [&](qsizetype i) { return guesses.cost(i); }, isHeadWord);
}
