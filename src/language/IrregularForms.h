#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <utility>
#include <vector>

// A table of forms that follow no ending rule, written one base form a line:
//   "jít: jdu jdeš jde"   the forms of the base form
//   "+jít: ..."           their forms also come after the prefixes of verbs (přijde -> přijít)
//   "~brát: ..."          so do they, and the prefixed verb has a short vowel (vybere -> vybrat)
struct IrregularBase {
    QString base;
    enum Prefixes { Alone, Prefixed, PrefixedShort } prefixes = Alone;
};

// The table held as a tree of its forms read from their last letter back: the forms a word
// ends in are found in one walk back from its end, without a piece of it copied or hashed.
class IrregularForms
{
  public:
    explicit IrregularForms(const char16_t* text);

    // The bases of the form, in the table's order; nullptr when it is none of the table's.
    const QList<IrregularBase>* find(QStringView form) const
    {
        int node = 0;
        for (qsizetype i = form.size() - 1; i >= 0 && node >= 0; --i)
            node = child(node, form[i].unicode());
        return node < 0 || m_nodes[std::size_t(node)].bases.isEmpty()
                   ? nullptr
                   : &m_nodes[std::size_t(node)].bases;
    }
    // Calls found(length, bases) for each form of the table the word ends in, the shortest
    // first.
    template <typename Found> void forEachEnding(QStringView word, Found found) const
    {
        int node = 0;
        for (qsizetype i = word.size() - 1; i >= 0; --i) {
            node = child(node, word[i].unicode());
            if (node < 0)
                return;
            if (!m_nodes[std::size_t(node)].bases.isEmpty())
                found(word.size() - i, m_nodes[std::size_t(node)].bases);
        }
    }

  private:
    struct Node {
        std::vector<std::pair<char16_t, int>> children;
        QList<IrregularBase> bases;
    };
    int child(int node, char16_t letter) const
    {
        // Every walk starts at the root: its many letters are looked up directly.
        if (node == 0)
            return letter < m_fromRoot.size() ? m_fromRoot[letter] : -1;
        for (const auto& [next, at] : m_nodes[std::size_t(node)].children) {
            if (next == letter)
                return at;
        }
        return -1;
    }
    // The node of the form, made with the nodes before it where they are missing.
    int nodeOf(QStringView form);

    std::vector<Node> m_nodes;
    std::vector<int> m_fromRoot; // the root's children by letter
};
