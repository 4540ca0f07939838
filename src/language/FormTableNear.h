#pragma once

#include "language/FormTableFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <algorithm>
#include <array>
#include <span>
#include <vector>

// The keys of the near automaton (FormTableFormat.h) within a few edits of a query, by the
// restricted Damerau-Levenshtein distance (insertions, deletions, substitutions, swaps of
// neighbours; no letter edited twice) of their bytes. The automaton is walked from its start,
// one row of the table of distances for each byte of the way; a way is left as soon as no key
// along it can come near enough, so a search reads a few thousand arcs of the quarter million.
class NearKeys
{
  public:
    // Whatever the numbers in `arcs` say, a search stays inside it.
    explicit NearKeys(std::span<const quint32> arcs) : m_arcs(arcs) {}

    // Calls found(key, edits) for each key at most maxEdits from `query` whose first byte is
    // the query's first or second (a typo seldom touches the first letter but by swapping it
    // with the second), in the keys' sorted order.
    template <typename Found> void search(QByteArrayView query, int maxEdits, Found found) const
    {
        using namespace FormTableFormat;
        const qsizetype m = query.size();
        // No key is longer than MostNearLength - 1 bytes: a far longer query (a pasted run of
        // letters) is near none, and costs nothing.
        if (m_arcs.empty() || maxEdits < 0 || m + maxEdits == 0 ||
            m > MostNearLength - 1 + maxEdits)
            return;
        const qsizetype longest = std::min(m + maxEdits, MostNearLength - 1);
        const qsizetype width = m + 1;
        // rows[d]: the distances of the key's first d bytes to each beginning of the query.
        // Only those at most maxEdits matter, and so only the band of beginnings within
        // maxEdits of d bytes is worked out: the rest stay `far`.
        const int far = maxEdits + 1;
        std::vector<int> rows(std::size_t((longest + 1) * width), far);
        for (qsizetype j = 0; j <= std::min<qsizetype>(m, maxEdits); ++j)
            rows[std::size_t(j)] = int(j);
        // next[d]: the next arc to try after the key's first d bytes, 0 when none is left.
        std::vector<quint32> next(std::size_t(longest + 1));
        // only[d], where narrowed[d]: bit j for each query[j] the next byte may be;
        // positions[b]: bit j where query[j] is b.
        std::array<quint64, 256> positions{};
        const bool mayNarrow = m <= 64;
        for (qsizetype j = 0; mayNarrow && j < m; ++j)
            positions[quint8(query[j])] |= quint64(1) << j;
        std::vector<char> narrowed(std::size_t(longest + 1), false);
        std::vector<quint64> only(std::size_t(longest + 1));
        QByteArray key(longest, '\0');
        next[0] = 1;
        for (qsizetype depth = 0; depth >= 0;) {
            const quint32 at = next[std::size_t(depth)];
            if (at == 0 || at >= m_arcs.size()) {
                --depth;
                continue;
            }
            const quint32 arc = m_arcs[at];
            next[std::size_t(depth)] = (arc & ArcLast) ? 0 : at + 1;
            const auto byte = char(arc & 0xff);
            if ((depth == 0 && m >= 2 && byte != query[0] && byte != query[1]) ||
                (narrowed[std::size_t(depth)] &&
                 !(positions[quint8(byte)] & only[std::size_t(depth)])))
                continue;
            const int* up = &rows[std::size_t(depth * width)];
            int* row = &rows[std::size_t((depth + 1) * width)];
            const qsizetype length = depth + 1;
            const qsizetype lo = std::max<qsizetype>(1, length - maxEdits);
            const qsizetype hi = std::min<qsizetype>(m, length + maxEdits);
            row[lo - 1] = lo == 1 && length <= maxEdits ? int(length) : far;
            int rowLeast = row[lo - 1];
            for (qsizetype j = lo; j <= hi; ++j) {
                int cell = up[j - 1] + (byte == query[j - 1] ? 0 : 1);
                cell = std::min(cell, std::min(up[j], row[j - 1]) + 1);
                if (depth >= 1 && j >= 2 && byte == query[j - 2] && key[depth - 1] == query[j - 1])
                    cell = std::min(cell, rows[std::size_t((depth - 1) * width + j - 2)] + 1);
                row[j] = std::min(cell, far);
                rowLeast = std::min(rowLeast, row[j]);
            }
            key[depth] = byte;
            if ((arc & ArcToKey) && row[m] <= maxEdits)
                found(QByteArrayView(key.constData(), depth + 1), row[m]);
            // A way is left once no beginning of the query is near enough: a swap with the
            // next byte cannot bring it back, as the byte put in place of the swapped one
            // comes as near. Once every edit is spent, only a byte that goes on as the query
            // does where a beginning spent them can lead anywhere.
            const quint32 target = arc >> ArcTargetShift;
            if (target != 0 && target < m_arcs.size() && depth + 1 < longest &&
                rowLeast <= maxEdits) {
                ++depth;
                next[std::size_t(depth)] = target;
                narrowed[std::size_t(depth)] = mayNarrow && rowLeast == maxEdits;
                if (narrowed[std::size_t(depth)]) {
                    quint64 allowed = 0;
                    for (qsizetype j = lo - 1; j <= std::min(hi, m - 1); ++j)
                        allowed |= quint64(row[j] == maxEdits) << j;
                    only[std::size_t(depth)] = allowed;
                }
            }
        }
    }

  private:
    std::span<const quint32> m_arcs;
};
