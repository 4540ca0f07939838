#include "dictionary/LetterFile.h"

#include "dictionary/LineReader.h"

namespace LetterFile
{

namespace
{

// One code unit against a small ASCII letter, in either case.
template <typename Unit> bool isLetter(Unit unit, char lower)
{
    return (static_cast<unsigned>(unit) | 0x20u) == static_cast<unsigned char>(lower);
}

using LetterFile::readsEnd;

bool readsEnd(QStringView line)
{
    return line.size() == 3 && isLetter(line[0].unicode(), 'e') &&
           isLetter(line[1].unicode(), 'n') && isLetter(line[2].unicode(), 'd');
}

bool spelt(QStringView line, const char* text)
{
    return line == QLatin1String(text);
}

bool spelt(QByteArrayView line, const char* text)
{
    return line == QByteArrayView(text);
}

template <typename Lines> qsizetype findTerminator(const Lines& lines, const QString& dictExt)
{
    const bool czech = dictExt == CzechToEnglish;
    qsizetype lastNotEnd = -1;
    QList<EndLine> endHeads;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (!readsEnd(line))
            lastNotEnd = i;
        else if (i % 2 == 0)
            endHeads.append({i, spelt(line, "End") || (czech && spelt(line, "end"))});
    }
    return terminatorLine(lines.size(), lastNotEnd, endHeads);
}

} // namespace

bool readsEnd(QByteArrayView line)
{
    return line.size() == 3 && isLetter(static_cast<unsigned char>(line[0]), 'e') &&
           isLetter(static_cast<unsigned char>(line[1]), 'n') &&
           isLetter(static_cast<unsigned char>(line[2]), 'd');
}

QString fileLetter(QStringView word)
{
    if (word.isEmpty())
        return {};
    QString first =
        word.first(word.size() > 1 && word[0].isHighSurrogate() ? 2 : 1).toString().toLower();
    if (first.size() == 1 && first[0].decompositionTag() == QChar::Canonical) {
        const QChar base = first[0].decomposition().at(0);
        if (base >= QLatin1Char('a') && base <= QLatin1Char('z'))
            return QString(base);
    }
    return first;
}

QString fileName(const QString& dataPath, QStringView word, const QString& dictExt)
{
    return dataPath + fileLetter(word) + dictExt;
}

QStringList terminatorLines(const QString& dictExt)
{
    if (dictExt == CzechToEnglish)
        return {QStringLiteral("end"), QStringLiteral("end")};
    return {QStringLiteral("End")};
}

qsizetype terminatorLine(qsizetype lineCount, qsizetype lastNotEnd, const QList<EndLine>& endHeads)
{
    // From the last candidate back to the first, knowing what follows each one.
    qsizetype found = lineCount;
    bool definiteLater = false;
    bool terminatorLater = false;
    for (qsizetype c = endHeads.size() - 1; c >= 0; --c) {
        const auto [j, definite] = endHeads[c];
        const bool terminator = definite || (!definiteLater && lastNotEnd <= j) ||
                                (!terminatorLater && (lineCount - j) % 2 == 1);
        definiteLater = definiteLater || definite;
        if (terminator) {
            terminatorLater = true;
            found = j;
        }
    }
    return found;
}

bool isDefiniteTerminator(QByteArrayView line, const QString& dictExt)
{
    return spelt(line, "End") || (dictExt == CzechToEnglish && spelt(line, "end"));
}

qsizetype terminatorLine(const QStringList& lines, const QString& dictExt)
{
    return findTerminator(lines, dictExt);
}

qsizetype terminatorLine(const QList<QByteArrayView>& lines, const QString& dictExt)
{
    return findTerminator(lines, dictExt);
}

bool isTerminator(const QStringList& lines, qsizetype headIndex, const QString& dictExt)
{
    return readsEnd(lines.at(headIndex)) && terminatorLine(lines, dictExt) == headIndex;
}

Entries readEntries(QByteArrayView bytes, const QString& dictExt)
{
    Entries result;
    const QStringList lines = splitLines(bytes);
    const qsizetype end = terminatorLine(lines, dictExt);
    for (qsizetype i = 0; i < end; i += 2) {
        if (i + 1 >= end) {
            result.incomplete = true;
            break;
        }
        result.entries.append({lines[i], lines[i + 1]});
    }
    return result;
}

} // namespace LetterFile
