#pragma once

#include "dictionary/Cp1250.h"
#include "dictionary/EntryAppender.h"
#include "dictionary/LineReader.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

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

// What a translation pass finds in a file: head and translation lines read in pairs, both
// lowered, until a head line that is exactly "End" or a head line without its translation
// line; for each lowered head, its translations in file order.
inline QHash<QString, QStringList> referenceFound(QByteArrayView bytes)
{
    const QList<QByteArrayView> lines = referenceLines(bytes);
    QHash<QString, QStringList> found;
    for (qsizetype i = 0; i + 1 < lines.size() && lines[i] != QByteArrayView("End"); i += 2)
        found[Cp1250::decode(lines[i]).toLower()].append(Cp1250::decode(lines[i + 1]).toLower());
    return found;
}

// What every rewrite that adds entries to a letter file must keep: the lines before the
// entries byte for byte, the new entries and the direction's terminator after them, and every
// line that followed the old terminator; only the old terminator (one line reading "end", in
// .cze also a second one) may go. Every entry a translation pass found before it finds after,
// and the new ones; the next rewrite puts its entries after them. Returns what is
// wrong, or an empty string.
inline QString rewriteProblem(QByteArrayView before, QByteArrayView after, const QString& dictExt,
                              const QList<LetterFile::Entry>& added)
{
    using namespace LetterFile;
    QHash<QString, QStringList> expected = referenceFound(before);
    for (const Entry& entry : added)
        expected[entry.head.toLower()].append(entry.translation.toLower());
    const QHash<QString, QStringList> found = referenceFound(after);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (found.value(it.key()).mid(0, it.value().size()) != it.value())
            return QStringLiteral("the lookup no longer finds %1 as it did").arg(it.key());
    }

    const QStringList old = splitLines(before);
    const QStringList now = splitLines(after);
    QStringList inserted;
    for (const Entry& entry : added)
        inserted << entry.head << entry.translation;
    inserted += terminatorLines(dictExt);
    const qsizetype maxRemoved = dictExt == CzechToEnglish ? 2 : 1;

    // The entries go where the old and the new lines part, or before (when they start alike).
    qsizetype common = 0;
    while (common < old.size() && common < now.size() && old[common] == now[common])
        ++common;
    for (qsizetype p = 0; p + inserted.size() <= now.size() && p <= common; p += 2) {
        if (now.mid(p, inserted.size()) != inserted)
            continue;
        const qsizetype tail = now.size() - p - inserted.size();
        const qsizetype removed = old.size() - p - tail;
        if (tail > old.size() - p || removed > maxRemoved ||
            now.mid(p + inserted.size()) != old.mid(old.size() - tail))
            continue;
        bool onlyEnd = true;
        for (qsizetype r = p; r < p + removed; ++r)
            onlyEnd = onlyEnd && old[r].compare(QLatin1String("end"), Qt::CaseInsensitive) == 0;
        if (!onlyEnd)
            continue;
        // The bytes of the kept lines before the entries are the old bytes.
        const QList<QByteArrayView> lines = referenceLines(before);
        const QByteArrayView prefix =
            p == 0 ? QByteArrayView()
                   : before.first(lines[p - 1].data() - before.data() + lines[p - 1].size());
        if (!after.startsWith(prefix))
            return QStringLiteral("the lines before the new entries changed their bytes");
        // (Lines after a Czech-to-English terminator are read by the lookup as entries.)
        if (placeFor(after, dictExt).line < p + 2 * added.size())
            return QStringLiteral("the next rewrite would put its entries before them");
        return {};
    }
    return QStringLiteral("lines lost, moved or added");
}
