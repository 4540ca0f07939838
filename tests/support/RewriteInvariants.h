#pragma once

#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What every rewrite that adds entries to a letter file must keep: the lines before the
// entries byte for byte, the new entries and the direction's terminator after them, and every
// line that followed the old terminator; only the old terminator (one line reading "end", in
// .cze also a second one) may go. The next rewrite must find its terminator right after the
// new entries. Returns what is wrong, or an empty string.
inline QString rewriteProblem(QByteArrayView before, QByteArrayView after, const QString& dictExt,
                              const QList<LetterFile::Entry>& added)
{
    using namespace LetterFile;
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
        QByteArray prefix;
        LineReader reader(before);
        QByteArrayView line;
        for (qsizetype l = 0; l < p && reader.next(line); ++l)
            prefix = before.first(line.data() - before.data() + line.size()).toByteArray();
        if (!after.startsWith(prefix))
            return QStringLiteral("the lines before the new entries changed their bytes");
        if (terminatorLine(now, dictExt) != p + 2 * added.size())
            return QStringLiteral("the next rewrite would not find the terminator after them");
        return {};
    }
    return QStringLiteral("lines lost, moved or added");
}
