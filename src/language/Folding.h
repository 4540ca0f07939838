#pragma once

#include <QString>

// The word as it is typed without diacritics: lowered, each letter without its marks
// (kůň -> kun, ŠTĚKAL -> stekal). Letters without a decomposition stay as they are.
QString foldDiacritics(const QString& word);
