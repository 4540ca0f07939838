#include "language/Folding.h"

#include <array>

namespace
{

QString foldedByNormalizing(const QString& word)
{
    const QString decomposed = word.toLower().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c);
    }
    return folded;
}

// The letters of the Latin blocks, where typed words have theirs: each folded as the whole
// word would fold it, or 0 where a letter does not fold to one letter (İ lowers to two).
constexpr char16_t LatinEnd = 0x250;

const std::array<char16_t, LatinEnd>& latinFolds()
{
    static const std::array<char16_t, LatinEnd> folds = [] {
        std::array<char16_t, LatinEnd> out{};
        for (char16_t c = 1; c < LatinEnd; ++c) {
            const QString folded = foldedByNormalizing(QString(QChar(c)));
            out[c] = folded.size() == 1 ? folded.front().unicode() : 0;
        }
        return out;
    }();
    return folds;
}

} // namespace

QString foldDiacritics(const QString& word)
{
    // Each Latin letter folds on its own, so a word of them is folded a letter at a time,
    // and one that folds to itself is not copied.
    const std::array<char16_t, LatinEnd>& folds = latinFolds();
    qsizetype firstChanged = word.size();
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        if (c >= LatinEnd || folds[c] == 0)
            return foldedByNormalizing(word);
        if (folds[c] != c && firstChanged == word.size())
            firstChanged = i;
    }
    if (firstChanged == word.size())
        return word;
    QString folded = word;
    for (qsizetype i = firstChanged; i < folded.size(); ++i)
        folded[i] = QChar(folds[folded[i].unicode()]);
    return folded;
}
