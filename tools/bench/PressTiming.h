#pragma once

#include "Timing.h"
#include "TranslationRun.h"

#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "language/FormTable.h"
#include "language/TableBaseForms.h"
#include "translate/PhraseFinder.h"

#include <cstdio>
#include <tuple>

// What a press of the translate button costs, three ways, the dictionary data loaded in all
// three as the program holds them after its first press (the letter files of both directions
// in `heads`, the phrase list read):
//
//   exact only  the same press through the exact lookup alone: the translation handler with no
//               base forms and no word-form table, phrases as typed
//   cold        the program's own press (TranslateHandler over the table's base forms and forms,
//               the phrase finder, every line built) as the first after its window opened: the
//               table opened afresh and nothing asked of it yet, a phrase finder that has asked
//               for no base forms yet
//   warm        the same press again, with the same table and phrase finder
struct PressTimes {
    QList<double> exactMs, coldMs, warmMs;
};

// Reads every letter file of both directions into `heads`.
inline void loadLetterFiles(const QString& dataPath, HeadIndex& heads)
{
    heads.beginPass();
    for (const QString& dictExt : {LetterFile::CzechToEnglish, LetterFile::EnglishToCzech}) {
        for (char16_t letter = u'a'; letter <= u'z'; ++letter)
            heads.translationsOf(LetterFile::fileName(dataPath, QString(QChar(letter)), dictExt),
                                 {});
    }
}

// A phrase finder that has read the direction's phrases and asked for nothing else.
inline std::unique_ptr<PhraseFinder> phrasesRead(const QString& dataPath, const QString& dictExt,
                                                 HeadIndex& heads)
{
    auto phrases = std::make_unique<PhraseFinder>();
    phrases->find(u"", {}, dataPath, dictExt, heads, nullptr);
    return phrases;
}

// Adds one exact-only, one cold and one warm press of `text` to `times`, one after the other,
// so that a busy machine slows all three alike.
inline void timePress(const QString& dataPath, const QString& dictExt, const QString& text,
                      const QString& tablePath, HeadIndex& heads, PressTimes& times)
{
    {
        const auto phrases = phrasesRead(dataPath, dictExt, heads);
        times.exactMs.append(timed(
            [&] { translate(dataPath, dictExt, text, nullptr, &heads, nullptr, phrases.get()); }));
    }
    const std::shared_ptr<const FormTable> table = FormTable::open(tablePath);
    const TableBaseForms baseForms(table);
    const auto phrases = phrasesRead(dataPath, dictExt, heads);
    for (QList<double>* ms : {&times.coldMs, &times.warmMs}) {
        ms->append(timed([&] {
            translate(dataPath, dictExt, text, &baseForms, &heads, table.get(), phrases.get());
        }));
    }
}

// What a Czech press may cost: cold at most this many times the exact-only press, and the
// warm press.
constexpr double ColdOverExactGoal = 3.0;
constexpr double ColdOverWarmGoal = 2.0;

// The medians of `times`, and the cold press against the warm and the exact-only press, each
// against its goal; every line starts with `indent`.
inline void printPressTimes(const PressTimes& times, const char* indent)
{
    const double exact = median(times.exactMs), cold = median(times.coldMs),
                 warm = median(times.warmMs);
    std::printf("%sexact only %.1f ms; the program's press cold %.1f ms, warm %.1f ms\n", indent,
                exact, cold, warm);
    for (const auto& [what, ratio, goal] :
         {std::tuple{"cold/warm", cold / warm, ColdOverWarmGoal},
          std::tuple{"cold/exact only", cold / exact, ColdOverExactGoal}})
        std::printf("%s%s %.2fx (goal <= %.0fx) %s\n", indent, what, ratio, goal,
                    ratio <= goal ? "within the goal" : "OVER the goal");
}
