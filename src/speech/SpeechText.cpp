#include "speech/SpeechText.h"

#include <QTextBoundaryFinder>

#include <cstring>

namespace
{

// A piece longer than this is cut at its last clause mark or blank before the limit: Flite
// makes the whole piece's parameters before its first sample, so a long one keeps the
// listener waiting. The first piece of a text is held shorter, as nothing plays while it is
// made; later ones are made while the earlier ones play.
constexpr qsizetype MaxPieceLength = 160;
constexpr qsizetype MaxFirstPieceLength = 64;

char asciiFor(QChar c)
{
    if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
        return char(c.unicode());
    switch (c.unicode()) {
    case 0x2018: // ‘ ’ ‚
    case 0x2019:
    case 0x201a:
        return '\'';
    case 0x201c: // “ ” „
    case 0x201d:
    case 0x201e:
        return '"';
    case 0x2010: // hyphens and dashes
    case 0x2011:
    case 0x2013:
    case 0x2014:
        return '-';
    default:
        return ' ';
    }
}

QString plainAscii(const QString& text)
{
    // Decomposed, "ů" is "u" and a combining ring, which is dropped.
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString plain;
    plain.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain.append(QLatin1Char(asciiFor(c)));
    }
    return plain;
}

qsizetype cutBefore(QStringView piece, qsizetype limit)
{
    for (const char* marks : {",;:", " "}) {
        for (qsizetype i = limit - 1; i > 0; --i) {
            if (std::strchr(marks, piece[i].toLatin1()))
                return i + 1;
        }
    }
    return limit;
}

} // namespace

QByteArrayList speech::utterancePieces(const QString& text)
{
    const QString plain = plainAscii(text);
    QByteArrayList pieces;
    const auto add = [&pieces](QStringView piece) {
        piece = piece.trimmed();
        if (!piece.isEmpty())
            pieces.append(piece.toLatin1());
    };
    QTextBoundaryFinder sentences(QTextBoundaryFinder::Sentence, plain);
    qsizetype start = 0;
    while (sentences.toNextBoundary() >= 0) {
        QStringView sentence = QStringView(plain).sliced(start, sentences.position() - start);
        start = sentences.position();
        for (qsizetype limit = pieces.isEmpty() ? MaxFirstPieceLength : MaxPieceLength;
             sentence.trimmed().size() > limit; limit = MaxPieceLength) {
            sentence = sentence.trimmed();
            const qsizetype cut = cutBefore(sentence, limit);
            add(sentence.first(cut));
            sentence = sentence.sliced(cut);
        }
        add(sentence);
    }
    return pieces;
}
