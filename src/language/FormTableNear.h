#pragma once

#include <QByteArray>
#include <algorithm>
#include <array>
#include <vector>

// The restricted Damerau-Levenshtein distance (insertions, deletions, substitutions, swaps of
// neighbours; no letter edited twice) of keys to one query, by their bytes. Up to 64 bytes of
// query the distance is worked out a column of bits at a time (Hyyrö's bit-vector algorithm,
// a handful of operations a letter); a longer query takes the plain table of distances.
class NearDistance
{
  public:
    explicit NearDistance(QByteArray query) : m_query(std::move(query))
    {
        if (m_query.size() <= 64) {
            for (qsizetype i = 0; i < m_query.size(); ++i)
                m_letters[quint8(m_query[i])] |= quint64(1) << i;
        }
    }
    // The distance of the whole key to the query.
    int to(const char* key, qsizetype size) const
    {
        const qsizetype m = m_query.size();
        if (m == 0 || m > 64)
            return plain(key, size);
        // Bit i of vp / vn: the distance grows / shrinks from query letter i to i + 1 in the
        // current column; `last` watches the bottom row, the distance itself.
        const quint64 last = quint64(1) << (m - 1);
        quint64 vp = ~quint64(0), vn = 0, d0 = 0, previous = 0;
        int distance = int(m);
        for (qsizetype i = 0; i < size; ++i) {
            const quint64 pm = m_letters[quint8(key[i])];
            const quint64 swapped = ((~d0 & pm) << 1) & previous;
            d0 = (((pm & vp) + vp) ^ vp) | pm | vn | swapped;
            const quint64 hp = vn | ~(d0 | vp);
            const quint64 hn = d0 & vp;
            distance += (hp & last) ? 1 : (hn & last) ? -1 : 0;
            const quint64 x = (hp << 1) | 1;
            vn = x & d0;
            vp = (hn << 1) | ~(x | d0);
            previous = pm;
        }
        return distance;
    }

  private:
    int plain(const char* key, qsizetype size) const
    {
        const qsizetype m = m_query.size();
        std::vector<int> d(std::size_t((size + 1) * (m + 1)));
        const auto at = [&](qsizetype i, qsizetype j) -> int& {
            return d[std::size_t(i * (m + 1) + j)];
        };
        for (qsizetype i = 0; i <= size; ++i)
            for (qsizetype j = 0; j <= m; ++j) {
                if (i == 0 || j == 0) {
                    at(i, j) = int(i + j);
                    continue;
                }
                const int cost = key[i - 1] == m_query[j - 1] ? 0 : 1;
                int cell = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
                if (i > 1 && j > 1 && key[i - 1] == m_query[j - 2] && key[i - 2] == m_query[j - 1])
                    cell = std::min(cell, at(i - 2, j - 2) + 1);
                at(i, j) = cell;
            }
        return at(size, m);
    }
    QByteArray m_query;
    std::array<quint64, 256> m_letters{};
};
