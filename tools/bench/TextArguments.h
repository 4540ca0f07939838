#pragma once

#include "language/BaseFormSource.h"

#include <QDir>
#include <QList>
#include <QString>
#include <cstdio>
#include <functional>
#include <utility>

// A text a benchmark reads, and its language.
using BenchText = std::pair<QString, Language>;

// The command line of the benchmarks that read texts: text files, each in the language of the
// --czech or --english before it (`language` until one is given), and options with a value,
// each handed to `option` (name with its dashes, value), which says whether it knows it. With
// no file named, the development texts, a file's name ending in -cs or -en. Says which option it
// did not know, or which lacks its value, and returns false.
inline bool readTextArguments(int argc, char* argv[], Language language, QList<BenchText>& texts,
                              const std::function<bool(const QString&, const QString&)>& option)
{
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--czech"))
            language = Language::Czech;
        else if (arg == QLatin1String("--english"))
            language = Language::English;
        else if (!arg.startsWith(QLatin1String("--")))
            texts.append({arg, language});
        else if (i + 1 == argc) {
            std::fprintf(stderr, "option %s needs a value\n", qPrintable(arg));
            return false;
        } else if (!option(arg, QString::fromLocal8Bit(argv[++i]))) {
            std::fprintf(stderr, "unknown option %s\n", qPrintable(arg));
            return false;
        }
    }
    if (texts.isEmpty()) {
        const QDir data(QStringLiteral(SLOVNIK_BENCH_DATA));
        for (const QString& name : data.entryList({QStringLiteral("*.txt")}, QDir::Files))
            texts.append({data.filePath(name), name.endsWith(QLatin1String("-cs.txt"))
                                                   ? Language::Czech
                                                   : Language::English});
    }
    return true;
}
