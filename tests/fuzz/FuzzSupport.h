#pragma once

#include "dictionary/Cp1250.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

// What the fuzz targets share: a failed check ends the run, so that libFuzzer keeps the input.
inline void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

// The lines of file bytes by the letter files' own definition, one byte at a time: CR LF, LF
// alone and CR alone each end a line; a last line without a line end is a line too.
inline QList<QByteArrayView> referenceLines(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.append(bytes.sliced(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start));
    return lines;
}

// The translations a translation pass reports for `word` (lower case): head and translation
// lines read in pairs, both lowered, until a head line that is exactly "End" or a head line
// without its translation line.
inline QStringList referenceLookup(QByteArrayView bytes, const QString& word)
{
    const QList<QByteArrayView> lines = referenceLines(bytes);
    QStringList found;
    for (qsizetype i = 0; i + 1 < lines.size() && lines[i] != QByteArrayView("End"); i += 2) {
        if (Cp1250::decode(lines[i]).toLower() == word)
            found.append(Cp1250::decode(lines[i + 1]).toLower());
    }
    return found;
}
