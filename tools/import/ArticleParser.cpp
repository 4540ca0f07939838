#include "ArticleParser.h"

#include "dictionary/Cp1250.h"

#include <QRegularExpression>
#include <algorithm>

namespace Import
{

namespace
{

// Synonyms are split apart only when every part is at most this many words long; a longer
// part means the commas belong to an explanation.
constexpr qsizetype MaxSynonymWords = 3;
constexpr qsizetype MaxLabelLength = 16;

QString simplified(const QString& text)
{
    QString out = text.simplified();
    out.replace(QLatin1String("( "), QLatin1String("("));
    out.replace(QLatin1String(" )"), QLatin1String(")"));
    out.replace(QLatin1String(" ,"), QLatin1String(","));
    return out;
}

// Strips separators and blanks that cleaning left at either end ("v:" keeps its letter).
QString trimmedPunctuation(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto stray = [](QChar c) { return c.isSpace() || c == u',' || c == u';' || c == u':'; };
    while (begin < end && stray(text[begin]))
        ++begin;
    while (end > begin && stray(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// "Note: ...", "See also: ...": a remark about the meanings, not a meaning.
bool isUsageNote(const QString& line)
{
    static const QStringList labels = {
        QStringLiteral("note"),     QStringLiteral("notes"),   QStringLiteral("see"),
        QStringLiteral("see also"), QStringLiteral("syn"),     QStringLiteral("synonym"),
        QStringLiteral("synonyms"), QStringLiteral("ant"),     QStringLiteral("antonym"),
        QStringLiteral("antonyms"), QStringLiteral("example"), QStringLiteral("examples"),
        QStringLiteral("usage"),
    };
    const qsizetype colon = line.indexOf(u':');
    if (colon < 3 || colon > 10)
        return false;
    return labels.contains(line.first(colon).trimmed().toLower());
}

// "1. ", "2) ": the number of a sense.
QString withoutSenseNumber(const QString& line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i].isDigit())
        ++i;
    if (i == 0 || i >= line.size() || (line[i] != u'.' && line[i] != u')'))
        return line;
    return line.sliced(i + 1).trimmed();
}

// A headword line without "<n>" marks and "/pronunciation/".
QString withoutMarks(const QString& headwordLine)
{
    QString out;
    for (qsizetype i = 0; i < headwordLine.size(); ++i) {
        const QChar c = headwordLine[i];
        const qsizetype end = c == u'<'   ? headwordLine.indexOf(u'>', i + 1)
                              : c == u'/' ? headwordLine.indexOf(u'/', i + 1)
                                          : -1;
        if (end < 0)
            out.append(c);
        else
            i = end;
    }
    return out;
}

// Removes [labels], <marks> and {references}; labels are collected.
QString withoutBrackets(const QString& line, QStringList& domains)
{
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        const char16_t close = c == u'[' ? u']' : c == u'<' ? u'>' : c == u'{' ? u'}' : 0;
        const qsizetype end = close ? line.indexOf(QChar(close), i + 1) : -1;
        if (end < 0) {
            out.append(c);
            continue;
        }
        if (c == u'[') {
            QString label = line.sliced(i + 1, end - i - 1).trimmed();
            while (label.endsWith(u'.'))
                label.chop(1);
            if (!label.isEmpty() && label.size() <= MaxLabelLength && !label.contains(u' ') &&
                !domains.contains(label))
                domains.append(label);
        }
        out.append(u' ');
        i = end;
    }
    return out;
}

// Rewrites parenthesised notes: nested ones are cleaned first, "((x))" becomes "(x)", empty
// ones, grammar marks like "(n:)" and explanations longer than MaxNoteLength go.
QString cleanedNotes(QStringView text)
{
    static const QRegularExpression grammarMark(QStringLiteral("^[a-z]+:$"));
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u')') { // a stray closing parenthesis
            ++i;
            continue;
        }
        if (text[i] != u'(') {
            out.append(text[i++]);
            continue;
        }
        int depth = 0;
        qsizetype j = i;
        for (; j < text.size(); ++j) {
            if (text[j] == u'(')
                ++depth;
            else if (text[j] == u')' && --depth == 0)
                break;
        }
        QString inner =
            simplified(cleanedNotes(text.sliced(i + 1, std::min(j, text.size()) - i - 1)));
        while (inner.startsWith(u'(') && inner.endsWith(u')') && inner.count(u'(') == 1)
            inner = inner.sliced(1, inner.size() - 2).trimmed();
        if (!inner.isEmpty() && inner.size() <= MaxNoteLength &&
            !grammarMark.match(inner).hasMatch())
            out += QStringLiteral(" (") + inner + QStringLiteral(") ");
        else
            out.append(u' ');
        i = j + 1;
    }
    return out;
}

QString withoutNotes(QStringView text)
{
    QString out;
    int depth = 0;
    for (QChar c : text) {
        if (c == u'(')
            ++depth;
        else if (c == u')')
            depth = std::max(0, depth - 1);
        else if (depth == 0)
            out.append(c);
    }
    return out.simplified();
}

// Splits at separators outside parentheses.
QStringList splitOutsideNotes(const QString& text, QStringView separators)
{
    QStringList parts;
    QString current;
    int depth = 0;
    for (QChar c : text) {
        if (c == u'(')
            ++depth;
        else if (c == u')')
            depth = std::max(0, depth - 1);
        if (depth == 0 && separators.contains(c)) {
            parts.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    parts.append(current);
    return parts;
}

QStringList meaningsOfLine(const QString& line)
{
    QStringList meanings;
    for (const QString& part : splitOutsideNotes(line, u";")) {
        const QStringList synonyms = splitOutsideNotes(part, u",");
        const bool allShort = std::all_of(synonyms.begin(), synonyms.end(), [](const QString& s) {
            return wordCount(withoutNotes(s)) <= MaxSynonymWords;
        });
        if (synonyms.size() > 1 && allShort)
            meanings += synonyms;
        else
            meanings.append(part);
    }
    return meanings;
}

// A headword line as a dictd index spells its head: without part-of-speech marks and
// pronunciation, only letters, digits and single blanks, lowered.
QString indexSpelling(const QString& headwordLine)
{
    QString kept;
    for (QChar c : withoutMarks(headwordLine)) {
        if (c.isLetterOrNumber() || c.isSpace())
            kept.append(c);
    }
    return kept.simplified().toLower();
}

// The head as the headword line spells it, when the line is that head in full.
QString spelledHead(const QString& indexHead, const QString& headwordLine)
{
    if (indexSpelling(headwordLine) != indexHead.simplified().toLower())
        return indexHead;
    return withoutMarks(headwordLine).simplified();
}

QString partOfSpeechOf(const QString& headwordLine)
{
    const qsizetype open = headwordLine.indexOf(u'<');
    const qsizetype close = open < 0 ? -1 : headwordLine.indexOf(u'>', open);
    if (close < 0)
        return {};
    return headwordLine.sliced(open + 1, close - open - 1).section(u',', 0, 0).trimmed();
}

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case 0x85:   // next line
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
        return true;
    default:
        return false;
    }
}

// The lines of an article; CR LF is one line break.
QStringList linesOf(const QString& body)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (!isLineBreak(body[i]))
            continue;
        lines.append(body.sliced(start, i - start));
        if (body[i] == u'\r' && i + 1 < body.size() && body[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(body.sliced(start));
    return lines;
}

} // namespace

bool hasControlCharacter(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const QChar::Category category = c.category();
        return category == QChar::Other_Control || category == QChar::Separator_Line ||
               category == QChar::Separator_Paragraph;
    });
}

bool fitsLetterFileLine(QStringView text)
{
    return !hasControlCharacter(text) && !Cp1250::firstUnencodable(text);
}

qsizetype wordCount(QStringView text)
{
    return text.split(u' ', Qt::SkipEmptyParts).size();
}

ParsedArticle parseArticle(const QString& indexHead, const QString& body)
{
    QStringList lines = linesOf(body);
    while (!lines.isEmpty() && lines.constFirst().trimmed().isEmpty())
        lines.removeFirst();

    ParsedArticle article{indexHead, {}, 0};
    QString partOfSpeech;
    const QString firstWord = indexHead.simplified().section(u' ', 0, 0).toLower();
    if (!lines.isEmpty() && indexSpelling(lines.constFirst()).startsWith(firstWord)) {
        const QString headwordLine = lines.takeFirst();
        partOfSpeech = partOfSpeechOf(headwordLine);
        article.head = spelledHead(indexHead, headwordLine);
    }

    for (QString line : lines) {
        line.replace(QLatin1String("\\\""), QLatin1String("\""));
        line.replace(u'\t', u' ');
        line.replace(QChar(0x2010), u'-'); // typographic hyphens, which Windows-1250 lacks
        line.replace(QChar(0x2011), u'-');
        line = line.trimmed();
        if (line.isEmpty() || isUsageNote(line))
            continue;
        line = withoutSenseNumber(line);
        QStringList domains;
        const QString cleaned = simplified(cleanedNotes(withoutBrackets(line, domains)));
        for (const QString& meaning : meaningsOfLine(cleaned)) {
            Sense sense;
            sense.text = trimmedPunctuation(simplified(meaning));
            sense.core = trimmedPunctuation(withoutNotes(sense.text));
            if (sense.core.isEmpty())
                continue;
            if (!fitsLetterFileLine(sense.text)) {
                ++article.droppedSenses;
                continue;
            }
            sense.partOfSpeech = partOfSpeech;
            sense.domains = domains;
            article.senses.append(sense);
        }
    }
    return article;
}

} // namespace Import
