#pragma once

#include <QStringList>

// The English words a lowered contraction or possessive stands for, as the word splitter
// keeps them whole: don't -> do, not; won't -> will, not; I'm -> i, am; it's -> it, is, has;
// let's -> let, us; john's -> john; o'clock -> clock. Empty for a word without an apostrophe.
QStringList contractionParts(const QString& loweredWord);
