#pragma once

#include "Dictd.h"

#include <QString>
#include <optional>

// What slovnik-import checks before it writes anything, so that a mistake on the command
// line leaves the output folder as it was.
namespace Import
{

// The share of head words, and of meanings, that hold a letter with a Czech diacritic mark
// (á č ď é ě í ň ó ř š ť ú ů ý ž), over a sample of the articles spread through the whole
// dictionary. Czech words carry one far more often than English words do.
struct CzechShares {
    double heads = 0;
    double meanings = 0;
};
CzechShares czechShares(const Dictd::Dictionary& dictionary);

// Why the dictionary does not look like one of the given direction: its head words look
// Czech and its meanings English for English-to-Czech, or the other way round. Only a
// clear case is refused.
std::optional<QString> whyWrongDirection(const Dictd::Dictionary& dictionary, bool englishCzech);

// Why letter files cannot be written into `folder`: a path that is not a folder, or a folder
// (or the nearest existing one above a folder still to be made) without write permission or
// on a read-only file system. Nothing is created.
std::optional<QString> whyNotWritable(const QString& folder);

} // namespace Import
