// How the guesses for a mistyped word are ordered: what typing slips make counts before the
// order the word-form table gave (the commoner word first).
#include "language/GuessRanking.h"
#include "support/LetterFiles.h"

#include <gtest/gtest.h>

TEST(GuessRanking, UsualSlipsAndTheFirstLetterComeBeforeTheTablesOrder)
{
    // Typed, then the candidates in the table's order as form:edits, then the order expected.
    const char* const cases[][3] = {
        {"meun", "mean:1 men:1 menu:1", "menu mean men"}, // neighbours swapped
        {"hoose", "horse:1 hose:1", "hose horse"},        // a letter doubled
        {"kyž", "kaz:1 když:1", "když kaz"},              // a letter left out, with diacritics
        {"gouse", "mouse:1 house:1", "house mouse"},      // the key beside the right one
        {"bat", "cat:1 bag:1 bat:2", "bag cat bat"},      // same first letter; nearest first
        {"hosuex", "houses:2 house:1", "house houses"},   // two edits are never a usual slip
    };
    for (const auto& [typed, candidates, expected] : cases) {
        QList<FormMatch> nearest;
        for (const QString& candidate : u(candidates).split(u' '))
            nearest.append({candidate.section(u':', 0, 0), candidate.section(u':', 0, 0),
                            candidate.section(u':', 1).toInt()});
        QStringList order;
        for (const FormMatch& match : likeliestMeant(u(typed), nearest))
            order.append(match.base);
        EXPECT_EQ(order.join(u' '), u(expected)) << typed;
    }
}
