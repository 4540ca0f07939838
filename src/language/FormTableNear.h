#pragma once

#include <QByteArray>
#include <algorithm>
#include <vector>

// Restricted Damerau-Levenshtein distance of a prefix of the table's keys to the query, one
// row per letter of the prefix: row[j] is the distance to the query's first j letters. Only
// the cells within maxEdits of the diagonal are worked out (the others are too far anyway),
// and no prefix grows longer than the query by more than maxEdits.
class NearWalk
{
  public:
    NearWalk(const QByteArray& query, int maxEdits)
        : m_query(query), m_max(maxEdits), m_width(query.size() + 1),
          m_rows(std::size_t(m_width * (query.size() + maxEdits + 1)), maxEdits + 1),
          m_letters(std::size_t(query.size() + maxEdits + 1))
    {
        for (qsizetype j = 0; j < m_width; ++j)
            m_rows[std::size_t(j)] = int(std::min<qsizetype>(j, maxEdits + 1));
    }

    // Adds the prefix's next letter; false when no key under the prefix can be near enough.
    bool push(char letter)
    {
        // pop() undoes every push(), this one too.
        if (++m_depth >= qsizetype(m_letters.size()))
            return false;
        m_letters[std::size_t(m_depth)] = letter;
        const int far = m_max + 1;
        const int* up = row(m_depth - 1);
        const int* upper = m_depth >= 2 ? row(m_depth - 2) : nullptr;
        int* cells = row(m_depth);
        const qsizetype from = std::max<qsizetype>(1, m_depth - m_max);
        const qsizetype to = std::min<qsizetype>(m_width - 1, m_depth + m_max);
        cells[0] = std::min(int(m_depth), far);
        if (from > 1)
            cells[from - 1] = far;
        int least = cells[0];
        for (qsizetype j = from; j <= to; ++j) {
            const int cost = m_query[j - 1] == letter ? 0 : 1;
            int cell = std::min({up[j] + 1, cells[j - 1] + 1, up[j - 1] + cost});
            if (upper && j >= 2 && letter == m_query[j - 2] &&
                m_letters[std::size_t(m_depth - 1)] == m_query[j - 1])
                cell = std::min(cell, upper[j - 2] + 1);
            cells[j] = std::min(cell, far);
            least = std::min(least, cells[j]);
        }
        if (to + 1 < m_width)
            cells[to + 1] = far;
        return least <= m_max;
    }
    void pop() { --m_depth; }
    int distance() const { return row(m_depth)[m_width - 1]; }
    // The distance of a whole key, or more than maxEdits where it is farther.
    int distanceTo(const char* key, qsizetype size)
    {
        qsizetype pushed = 0;
        bool near = true;
        while (near && pushed < size)
            near = push(key[pushed++]);
        const int edits = near ? distance() : m_max + 1;
        for (; pushed > 0; --pushed)
            pop();
        return edits;
    }
    int maxEdits() const { return m_max; }

  private:
    int* row(qsizetype depth) { return m_rows.data() + depth * m_width; }
    const int* row(qsizetype depth) const { return m_rows.data() + depth * m_width; }

    QByteArray m_query;
    int m_max;
    qsizetype m_width;
    std::vector<int> m_rows;
    std::vector<char> m_letters;
    qsizetype m_depth = 0;
};
