#pragma once

#include "language/CzechEndingRules.h"

#include <QString>
#include <QStringView>
#include <QVarLengthArray>
#include <algorithm>
#include <initializer_list>
#include <utility>

// The stems the Czech ending analyser puts base-form endings on, spelt in place.
namespace CzechEndings
{

bool isVowel(QChar c);

// A spelling put together from pieces, in place for any ordinary word (a longer one moves to
// the heap). Views of it stay valid until it grows past its place. Plain units, not QChar: the
// place is not cleared each time a spelling is made.
template <qsizetype Inline> class InlineText : public QVarLengthArray<char16_t, Inline>
{
  public:
    InlineText() = default;
    explicit InlineText(QStringView text) { append(text); }

    void append(QStringView piece)
    {
        this->QVarLengthArray<char16_t, Inline>::append(piece.utf16(), piece.size());
    }
    void append(QChar c) { this->QVarLengthArray<char16_t, Inline>::append(c.unicode()); }
    QStringView view() const { return QStringView(this->constData(), this->size()); }
};

using Spelling = InlineText<48>;

// The stem as the form has it, and as the base form may have it: one spelling after another
// in one buffer, each change applied to every spelling the changes before it gave.
class StemVariants
{
  public:
    // With the changes the rule allows (Change).
    StemVariants(QStringView stem, unsigned changes);

    qsizetype size() const { return m_variants.size(); }
    QStringView operator[](qsizetype i) const
    {
        return m_text.view().sliced(m_variants[i].at, m_variants[i].size);
    }
    int cost(qsizetype i) const { return m_variants[i].cost; }

  private:
    struct Variant {
        qsizetype at;
        qsizetype size;
        int cost;
    };
    // The spelling head + middle + tail.
    void add(QStringView head, QStringView middle, QStringView tail, int cost);
    // Calls change(stem, cost) for every spelling so far, each copied out of the buffer
    // that the change adds to.
    template <typename Change> void each(int cost, Change change);
    void replaceEnds(int cost, std::initializer_list<std::pair<QStringView, QStringView>> pairs);
    // The last vowel, if it stands at `first` or later, made another one: `from` and `to`
    // pair them off.
    void replaceLastVowel(int cost, QStringView from, QStringView to, qsizetype first = 0);

    InlineText<160> m_text;
    QVarLengthArray<Variant, 16> m_variants;
};

} // namespace CzechEndings
