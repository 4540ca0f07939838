#include "language/GuessRanking.h"

#include "language/Folding.h"

#include <algorithm>
#include <tuple>

namespace
{

auto rankKey(const RankedForm& candidate)
{
    return formRank(candidate.match.edits, candidate.kind, candidate.weight, candidate.match.base);
}

// Whether `longer` is `shorter` with one letter put in; where, in `at`.
bool oneLetterMore(const QString& longer, const QString& shorter, qsizetype& at)
{
    if (longer.size() != shorter.size() + 1)
        return false;
    at = std::mismatch(shorter.cbegin(), shorter.cend(), longer.cbegin()).first - shorter.cbegin();
    return QStringView(longer).sliced(at + 1) == QStringView(shorter).sliced(at);
}

bool neighboursSwapped(const QString& typed, const QString& meant)
{
    if (typed.size() != meant.size())
        return false;
    const qsizetype at =
        std::mismatch(typed.cbegin(), typed.cend(), meant.cbegin()).first - typed.cbegin();
    return at + 1 < typed.size() && typed[at] == meant[at + 1] && typed[at + 1] == meant[at] &&
           QStringView(typed).sliced(at + 2) == QStringView(meant).sliced(at + 2);
}

// Whether two letters are neighbours in a row of the keyboard, Czech (QWERTZ) or English.
bool neighbourKeys(QChar a, QChar b)
{
    static const QString rows[] = {QStringLiteral("qwertzuiop"), QStringLiteral("qwertyuiop"),
                                   QStringLiteral("asdfghjkl"), QStringLiteral("yxcvbnm"),
                                   QStringLiteral("zxcvbnm")};
    for (const QString& row : rows) {
        const qsizetype at = row.indexOf(a);
        if (at >= 0 && ((at > 0 && row[at - 1] == b) || (at + 1 < row.size() && row[at + 1] == b)))
            return true;
    }
    return false;
}

} // namespace

// A letter struck in place of another or put in from nowhere is rarer than these.
bool usualSlip(const QString& typed, const QString& meant)
{
    qsizetype at = 0;
    if (typed.size() == meant.size()) {
        at = std::mismatch(typed.cbegin(), typed.cend(), meant.cbegin()).first - typed.cbegin();
        if (at < typed.size() &&
            QStringView(typed).sliced(at + 1) == QStringView(meant).sliced(at + 1) &&
            neighbourKeys(typed[at], meant[at]))
            return true;
    }
    if (oneLetterMore(typed, meant, at))
        return (at > 0 && typed[at] == typed[at - 1]) ||
               (at + 1 < typed.size() && typed[at] == typed[at + 1]);
    return oneLetterMore(meant, typed, at) || neighboursSwapped(typed, meant);
}

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

QList<FormMatch> likeliestMeant(const QString& typed, QList<FormMatch> nearest)
{
    const QString folded = foldDiacritics(typed);
    const auto key = [&](const FormMatch& match) {
        const QString meant = foldDiacritics(match.form);
        const bool rareSlip = match.edits != 1 || !usualSlip(folded, meant);
        const bool otherFirstLetter = meant.isEmpty() || folded.isEmpty() || meant[0] != folded[0];
        return std::make_tuple(match.edits, rareSlip, otherFirstLetter);
    };
    std::stable_sort(nearest.begin(), nearest.end(),
                     [&](const FormMatch& a, const FormMatch& b) { return key(a) < key(b); });
    return nearest;
}
