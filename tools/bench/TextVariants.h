#pragma once

#include "dictionary/WordSplitter.h"
#include "language/Folding.h"
#include "state/Module1.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <functional>

// The development texts as people type them: without diacritics, and with typos.

// The text with every letter's marks dropped and its case kept (Kůň -> Kun).
inline QString withoutDiacritics(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QString folded = c.isLetter() ? foldDiacritics(QString(c)) : QString(c);
        out += c.isUpper() ? folded.toUpper() : folded;
    }
    return out;
}

// A text with one random edit (a letter inserted, dropped, replaced, or two neighbours
// swapped) in `share` of its words, drawn with a fixed seed among its words of three letters
// or more. No word next to an apostrophe is touched, and an edit always changes its word, so
// the words of the two texts pair up one to one and differ exactly where a typo was made.
inline QString withTypos(const QString& text, double share, quint32 seed)
{
    const auto isApostrophe = [](QChar c) { return c == u'\'' || c == QChar(0x2019); };
    // The words as spans of the text, and which of them may take a typo.
    QList<std::pair<qsizetype, qsizetype>> spans;
    QList<qsizetype> editable;
    for (qsizetype k = 0; k < text.size();) {
        if (!WordSplitter::isWordCharacter(text[k])) {
            ++k;
            continue;
        }
        const qsizetype start = k;
        while (k < text.size() && WordSplitter::isWordCharacter(text[k]))
            ++k;
        const bool byApostrophe = (start > 0 && isApostrophe(text[start - 1])) ||
                                  (k < text.size() && isApostrophe(text[k]));
        if (!byApostrophe && k - start >= 3)
            editable.append(spans.size());
        spans.append({start, k - start});
    }
    QRandomGenerator random(seed);
    std::shuffle(editable.begin(), editable.end(), random);
    editable.resize(std::min(editable.size(), qsizetype(double(spans.size()) * share + 0.5)));
    std::sort(editable.begin(), editable.end(), std::greater<>());

    QString out = text;
    for (const qsizetype index : editable) {
        const auto [start, length] = spans[index];
        QString word = text.sliced(start, length);
        const qsizetype at = random.bounded(int(word.size()));
        QChar letter(u'a' + random.bounded(26));
        if (letter == word[at].toLower())
            letter = QChar(u'a' + (letter.unicode() - u'a' + 1) % 26);
        switch (random.bounded(4)) {
        case 0:
            word.insert(at, letter);
            break;
        case 1:
            word.remove(at, 1);
            break;
        case 2:
            word[at] = letter;
            break;
        default:
            if (at + 1 < word.size() && word[at].toLower() != word[at + 1].toLower())
                std::swap(word[at], word[at + 1]);
            else
                word.insert(at, letter);
        }
        out.replace(start, length, word);
    }
    return out;
}

// The text cut into presses of whole lines of at most MaxWords words each (a longer line is a
// press of its own, cut by the pass).
inline QStringList presses(const QString& text, bool keepContractions)
{
    QStringList out;
    QString press;
    qsizetype words = 0;
    for (const QString& line : text.split(u'\n')) {
        const qsizetype lineWords = WordSplitter::tokens(line, keepContractions).size();
        if (words > 0 && words + lineWords > Module1::MaxWords) {
            out.append(press);
            press.clear();
            words = 0;
        }
        press += line + u'\n';
        words += lineWords;
    }
    if (words > 0)
        out.append(press);
    return out;
}
