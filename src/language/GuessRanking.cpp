#include "language/GuessRanking.h"

#include <algorithm>
#include <tuple>

namespace
{

auto rankKey(const RankedForm& candidate)
{
    return std::make_tuple(candidate.match.edits, int(candidate.kind), -qint64(candidate.weight),
                           candidate.match.base);
}

} // namespace

QList<FormMatch> bestForms(QList<RankedForm> candidates, int limit)
{
    std::sort(candidates.begin(), candidates.end(),
              [](const RankedForm& a, const RankedForm& b) { return rankKey(a) < rankKey(b); });
    QList<FormMatch> out;
    for (const RankedForm& candidate : std::as_const(candidates)) {
        if (out.size() >= limit)
            break;
        const FormMatch& match = candidate.match;
        const bool seen = std::any_of(out.cbegin(), out.cend(),
                                      [&](const FormMatch& m) { return m.base == match.base; });
        if (!seen)
            out.append(match);
    }
    return out;
}
