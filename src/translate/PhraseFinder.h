#pragma once

#include "language/BaseFormSource.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

class HeadIndex;

// A phrase of the dictionary found among the typed words.
struct PhraseMatch {
    QString typed;            // the typed words, lowered, one blank between them
    QString head;             // the head found: another than `typed` when a word was inflected
    QStringList translations; // the lowered translation lines of its entries, in file order
    // What a result line shows behind the separator: "(give up) vzdát se;" for "gave up".
    QString shown(const QString& translation) const
    {
        return head == typed ? translation : u'(' + head + QStringLiteral(") ") + translation;
    }
    bool operator==(const PhraseMatch&) const = default;
};

// Finds the dictionary's phrases (heads of more than one word: "of course", "give up") among
// the words of a text: consecutive words, over any separators but a sentence end, the
// longest phrase first where several start at one word, each occurrence once. A word may
// stand in its base form ("gave up" finds "give up") when a source of base forms is given.
//
// Which phrases there are is read from the direction's 26 letter files at the first search
// (only their head lines with a blank) and kept, with the base forms asked for, while the
// data directory and direction stay the same. A phrase is shown only when the head index,
// which notices changed files, still has it, and with the translations the index gives.
class PhraseFinder
{
  public:
    // The phrases among `words` (lowered, as split from `scanText`), in text order.
    QList<PhraseMatch> find(QStringView scanText, std::span<const QString> words,
                            const QString& dataPath, const QString& dictExt, HeadIndex& heads,
                            const BaseFormSource* baseForms);

    // Whether `c` ends a sentence: a phrase never runs over it.
    static bool endsSentence(QChar c);

  private:
    // What is known of a typed word: its number among the words of phrases (-1: in none),
    // and those of its base forms that begin a phrase or stand later in one, asked for once.
    struct WordInfo {
        int id = -1;
        bool later = false; // follows the first word in some phrase
        bool firstAsked = false;
        bool laterAsked = false;
        std::vector<int> firstBases;
        std::vector<int> laterBases;
    };
    struct Found {
        qsizetype end = 0; // the index of the word after the phrase
        int node = 0;
    };
    struct Search;
    void read(const QString& dataPath, const QString& dictExt);
    int wordId(const QString& word);
    WordInfo& infoOf(const QString& word);
    int child(int node, int word) const;
    // The longest phrase that starts at word i and that the head index has.
    std::optional<Found> longestAt(const Search& search, qsizetype i);
    // The phrases that run on from `node` (reached by the words before `next`).
    void collect(const Search& search, int node, qsizetype next, std::vector<Found>& phrases);
    const std::vector<int>& basesOf(const QString& word, WordInfo& info, bool first,
                                    const Search& search);

    QString m_dataPath;
    QString m_dictExt;
    // The phrases as a tree of their words: node 0 is the root; an edge is a node and a word's
    // number; a node where a phrase ends has its head.
    QHash<QString, int> m_wordIds;
    int idOf(QStringView word) const;
    QSet<int> m_laterWords;
    std::unordered_map<quint64, int> m_edges;
    std::vector<int> m_firstNodes; // the edges from the root, by word number; -1 for none
    std::vector<QString> m_headOf;
    std::vector<bool> m_runsOn; // whether a longer phrase goes on from the node
    std::unordered_map<QString, WordInfo> m_typed;
};
