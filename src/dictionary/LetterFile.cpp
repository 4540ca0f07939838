#include "dictionary/LetterFile.h"

#include "dictionary/Cp1250.h"

#include <QFile>

namespace LetterFile
{

namespace
{

bool readsEnd(const QString& line)
{
    return line.size() == 3 && line.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0;
}

} // namespace

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

bool LineReader::next(QByteArrayView& line)
{
    const qsizetype size = m_bytes.size();
    if (m_pos >= size)
        return false;
    const char* data = m_bytes.data();
    qsizetype end = m_pos;
    while (end < size && data[end] != '\r' && data[end] != '\n')
        ++end;
    line = m_bytes.sliced(m_pos, end - m_pos);
    m_pos = end + 1;
    if (end < size && data[end] == '\r' && m_pos < size && data[m_pos] == '\n')
        ++m_pos;
    return true;
}

QStringList splitLines(QByteArrayView bytes)
{
    QStringList lines;
    LineReader reader(bytes);
    QByteArrayView line;
    while (reader.next(line))
        lines.append(Cp1250::decode(line));
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
    return build(bytes, nullptr);
}

LookupTable LookupTable::fromBytes(QByteArrayView bytes, const QSet<QString>& wanted)
{
    return build(bytes, &wanted);
}

LookupTable LookupTable::build(QByteArrayView bytes, const QSet<QString>* wanted)
{
    QSet<qsizetype> wantedLengths;
    if (wanted) {
        for (const QString& word : *wanted)
            wantedLengths.insert(word.size());
    }
    LookupTable table;
    LineReader reader(bytes);
    QByteArrayView head;
    QByteArrayView translation;
    while (reader.next(head)) {
        // Only this exact spelling ends a lookup; "END" or "end" are read as head words.
        if (head == QByteArrayView("End") || !reader.next(translation))
            break;
        ++table.m_count;
        if (wanted && !wantedLengths.contains(head.size()))
            continue;
        QString word = Cp1250::decode(head).toLower();
        if (wanted && !wanted->contains(word))
            continue;
        table.m_entries[word].append(Cp1250::decode(translation).toLower());
    }
    return table;
}

} // namespace LetterFile
