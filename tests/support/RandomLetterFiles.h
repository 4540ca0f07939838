#pragma once

#include "dictionary/Cp1250.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringList>

// Letter files of random Windows-1250 lines for property tests: heads in every letter case,
// Czech letters, the bytes the code page leaves undefined, "End" in its spellings, repeated
// heads, every kind of line end, and sometimes a last head without its translation.
struct RandomLetterFile {
    QByteArray bytes;
    QStringList heads; // every head line, decoded
};

inline RandomLetterFile randomLetterFile(QRandomGenerator& random, int entries)
{
    static const QByteArray letters = QByteArray("aAbBeEnNdDzZ") +
                                      "\x8a\x9a\xc8\xe8\xd8\xf8\xdf\xa5\xb9\xbc\xbe\x8c\x9c"
                                      "\xc1\xe1\xd9\xf9\xcc\xec\x81\x83\x88\x90\x98\xa0 ;";
    static const char* const lineEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
    RandomLetterFile file;
    const auto line = [&](int length) {
        QByteArray bytes;
        for (int i = 0; i < length; ++i)
            bytes += random.bounded(8) == 0 ? char(random.bounded(256))
                                            : letters[random.bounded(letters.size())];
        return bytes;
    };
    const auto end = [&] { return QByteArray(lineEnds[random.bounded(5)]); };
    for (int i = 0; i < entries; ++i) {
        QByteArray head;
        switch (random.bounded(12)) {
        case 0:
            head = QByteArray(i % 2 ? "End" : "END");
            break;
        case 1:
            head = QByteArray(i % 2 ? "end" : "eNd");
            break;
        case 2:
            if (!file.heads.isEmpty()) {
                head = Cp1250::encode(file.heads[random.bounded(file.heads.size())]);
                break;
            }
            [[fallthrough]];
        default:
            head = line(random.bounded(0, 6));
        }
        if (head.contains('\r') || head.contains('\n'))
            head = "x";
        file.heads.append(Cp1250::decode(head));
        QByteArray translation = line(random.bounded(0, 12));
        translation.replace('\r', 'r').replace('\n', 'n');
        if (random.bounded(20) == 0)
            translation = "end";
        file.bytes += head + end() + translation + end();
    }
    if (random.bounded(3) == 0)
        file.bytes += QByteArray(random.bounded(2) ? "End" : "end") + end();
    if (random.bounded(4) == 0)
        file.bytes += line(3) + (random.bounded(2) ? end() : QByteArray());
    return file;
}

// The lines of a file, split the plain way: CR LF, LF and CR each end a line, and a last line
// without a line end is a line too.
inline QStringList plainLines(const QByteArray& bytes)
{
    QStringList lines =
        Cp1250::decode(bytes).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
