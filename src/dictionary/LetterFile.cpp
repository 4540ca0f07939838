#include "dictionary/LetterFile.h"

#include "dictionary/Cp1250.h"

#include <QFile>

namespace LetterFile {

namespace {

bool readsEnd(const QString& line)
{
    return line.size() == 3 && line.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0;
}

} // namespace

QString fileLetter(QStringView word)
{
    if (word.isEmpty())
        return {};
    QString first = word.first(word.size() > 1 && word[0].isHighSurrogate() ? 2 : 1).toString().toLower();
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

QStringList splitLines(QByteArrayView bytes)
{
    QStringList lines;
    const QString text = Cp1250::decode(bytes);
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < size && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.sliced(start));
    return lines;
}

QByteArray joinLines(const QStringList& lines)
{
    QByteArray bytes;
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const QString& line : lines) {
        bytes += Cp1250::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

bool isTerminator(const QStringList& lines, qsizetype headIndex, const QString& dictExt)
{
    const QString& head = lines.at(headIndex);
    if (!readsEnd(head))
        return false;
    if (head == terminatorLines(dictExt).constFirst())
        return true;
    for (qsizetype i = headIndex + 1; i < lines.size(); ++i) {
        if (!readsEnd(lines.at(i)))
            return false;
    }
    return true;
}

std::optional<QByteArray> readFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

Entries readEntries(QByteArrayView bytes, const QString& dictExt)
{
    Entries result;
    const QStringList lines = splitLines(bytes);
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        if (isTerminator(lines, i, dictExt))
            break;
        if (i + 1 >= lines.size()) {
            result.incomplete = true;
            break;
        }
        result.entries.append({lines[i], lines[i + 1]});
    }
    return result;
}

LookupTable LookupTable::fromBytes(QByteArrayView bytes)
{
    LookupTable table;
    const QStringList lines = splitLines(bytes);
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        // Only this exact spelling ends a lookup; "END" or "end" are read as head words.
        if (lines[i] == QLatin1String("End"))
            break;
        table.m_entries[lines[i].toLower()].append(lines[i + 1].toLower());
        ++table.m_count;
    }
    return table;
}

} // namespace LetterFile
