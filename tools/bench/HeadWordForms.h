#pragma once

#include "dictionary/LetterFile.h"
#include "language/Folding.h"
#include "language/FormLookup.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <tuple>
#include <vector>

// The coverage tool's own FormLookup over the head words of the letter files of both
// directions, held in memory: a head word is matched by its folded spelling, and a typo by
// a scan of the head words of about its length. It knows no inflected forms, so the folded
// stage finds only words whose base form was typed; the program's form table knows more.
class HeadWordForms final : public FormLookup
{
  public:
    explicit HeadWordForms(const QString& dictionary)
    {
        for (const Language language : {Language::Czech, Language::English}) {
            const QString ext = language == Language::Czech ? LetterFile::CzechToEnglish
                                                            : LetterFile::EnglishToCzech;
            Heads& heads = m_heads[int(language)];
            QSet<QString> seen;
            for (char letter = 'a'; letter <= 'z'; ++letter) {
                QFile file(dictionary + QLatin1Char(letter) + ext);
                if (!file.open(QIODevice::ReadOnly))
                    continue;
                for (const LetterFile::Entry& entry :
                     LetterFile::readEntries(file.readAll(), ext).entries) {
                    const QString head = entry.head.toLower();
                    if (head.isEmpty() || seen.contains(head))
                        continue;
                    seen.insert(head);
                    heads.byFolding[foldDiacritics(head)].append(head);
                    heads.byLength[head.size()].append(head);
                }
            }
        }
    }

    QList<FormMatch> folded(const QString& loweredWord, Language language, int limit) const override
    {
        QList<FormMatch> out;
        for (const QString& head :
             m_heads[int(language)].byFolding.value(foldDiacritics(loweredWord))) {
            if (out.size() < limit)
                out.append({head, head, 0});
        }
        return out;
    }

    // Nearest first; of as near ones, those that keep the first letter, then the shorter.
    QList<FormMatch> near(const QString& loweredWord, Language language, int limit) const override
    {
        QList<FormMatch> found;
        const Heads& heads = m_heads[int(language)];
        for (qsizetype length = loweredWord.size() - 2; length <= loweredWord.size() + 2;
             ++length) {
            for (const QString& head : heads.byLength.value(length)) {
                const int edits = distance(loweredWord, head);
                if (edits > 0 && edits <= 2)
                    found.append({head, head, edits});
            }
        }
        const auto key = [&](const FormMatch& m) {
            return std::tuple(m.edits, m.base.front() != loweredWord.front(), m.base.size(),
                              m.base);
        };
        std::sort(found.begin(), found.end(),
                  [&](const FormMatch& a, const FormMatch& b) { return key(a) < key(b); });
        return found.mid(0, limit);
    }

  private:
    // Edits (insertion, deletion, substitution, swap of neighbours) from a to b, or 3 for more
    // than two.
    static int distance(const QString& a, const QString& b)
    {
        const qsizetype n = a.size();
        const qsizetype m = b.size();
        thread_local std::vector<int> cells;
        cells.assign(std::size_t((n + 1) * (m + 1)), 0);
        const auto d = [&](qsizetype i, qsizetype j) -> int& {
            return cells[std::size_t(i * (m + 1) + j)];
        };
        for (qsizetype i = 0; i <= n; ++i)
            d(i, 0) = int(i);
        for (qsizetype j = 0; j <= m; ++j)
            d(0, j) = int(j);
        for (qsizetype i = 1; i <= n; ++i) {
            int rowBest = 3;
            for (qsizetype j = 1; j <= m; ++j) {
                int best = std::min({d(i - 1, j) + 1, d(i, j - 1) + 1,
                                     d(i - 1, j - 1) + (a[i - 1] == b[j - 1] ? 0 : 1)});
                if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                    best = std::min(best, d(i - 2, j - 2) + 1);
                d(i, j) = best;
                rowBest = std::min(rowBest, best);
            }
            if (rowBest > 2)
                return 3;
        }
        return std::min(d(n, m), 3);
    }

    struct Heads {
        QHash<QString, QStringList> byFolding;
        QHash<qsizetype, QStringList> byLength;
    };
    Heads m_heads[2];
};
