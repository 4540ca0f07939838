#include "language/CzechStemVariants.h"

namespace CzechEndings
{

bool isVowel(QChar c)
{
    switch (c.unicode()) {
    case u'a':
    case u'á':
    case u'e':
    case u'é':
    case u'ě':
    case u'i':
    case u'í':
    case u'o':
    case u'ó':
    case u'u':
    case u'ú':
    case u'ů':
    case u'y':
    case u'ý':
        return true;
    default:
        return false;
    }
}

namespace
{

bool endsInTwoConsonants(QStringView stem)
{
    if (stem.size() < 2 || stem.endsWith(QLatin1String("ch")))
        return false;
    return !isVowel(stem[stem.size() - 1]) && !isVowel(stem[stem.size() - 2]);
}

qsizetype lastVowel(QStringView stem)
{
    for (qsizetype i = stem.size() - 1; i >= 0; --i) {
        if (isVowel(stem[i]))
            return i;
    }
    return -1;
}

} // namespace

void StemVariants::add(QStringView head, QStringView middle, QStringView tail, int cost)
{
    const qsizetype at = m_text.size();
    m_text.append(head);
    m_text.append(middle);
    m_text.append(tail);
    m_variants.append({at, m_text.size() - at, cost});
}

template <typename Change> void StemVariants::each(int cost, Change change)
{
    const qsizetype count = m_variants.size();
    for (qsizetype i = 0; i < count; ++i) {
        const Spelling stem((*this)[i]);
        change(stem.view(), m_variants[i].cost + cost);
    }
}

void StemVariants::replaceEnds(int cost,
                               std::initializer_list<std::pair<QStringView, QStringView>> pairs)
{
    each(cost, [&](QStringView s, int total) {
        for (const auto& [from, to] : pairs) {
            if (s.endsWith(from))
                add(s.chopped(from.size()), to, {}, total);
        }
    });
}

void StemVariants::replaceLastVowel(int cost, QStringView from, QStringView to, qsizetype first)
{
    each(cost, [&](QStringView s, int total) {
        const qsizetype v = lastVowel(s);
        const qsizetype k =
            v < first ? from.size() : std::find(from.begin(), from.end(), s[v]) - from.begin();
        if (k < from.size())
            add(s.first(v), to.sliced(k, 1), s.sliced(v + 1), total);
    });
}

StemVariants::StemVariants(QStringView stem, unsigned changes)
{
    add(stem, {}, {}, 0);
    // clang-format off
    if (changes & Hard)
        replaceEnds(HardCost, {{u"čt", u"ck"}, {u"št", u"sk"}, {u"c", u"k"}, {u"z", u"h"},
                               {u"z", u"g"}, {u"š", u"ch"}, {u"ř", u"r"}});
    if (changes & Participle)
        replaceEnds(HardCost, {{u"št", u"st"}, {u"žď", u"zd"}, {u"c", u"t"}, {u"z", u"d"},
                               {u"š", u"s"}, {u"ž", u"z"}});
    // clang-format on
    if (changes & DropE) {
        each(0, [this](QStringView s, int total) {
            const qsizetype n = s.size();
            if (n >= 4 && (s[n - 2] == u'e' || s[n - 2] == u'ě') && !isVowel(s[n - 1]) &&
                !isVowel(s[n - 3]))
                add(s.first(n - 2), s.last(1), {}, total);
        });
    }
    if (changes & FleetingE) {
        each(ChangeCost, [this](QStringView s, int total) {
            if (endsInTwoConsonants(s))
                add(s.chopped(1), u"e", s.last(1), total);
        });
    }
    if (changes & LongO)
        replaceLastVowel(ChangeCost, u"o", u"ů", 1);
    if (changes & Lengthen)
        replaceLastVowel(ChangeCost, u"aeiyoě", u"áéíýůí");
    if (changes & VerbStem) {
        // nes-t, ves-t (ved-e), jet (jed-e), pec-t (peč-e, pek-l), vez-t
        each(0, [this](QStringView s, int total) {
            if (s.endsWith(u'd') || s.endsWith(u't')) {
                add(s.chopped(1), u"s", {}, total);
                add(s.chopped(1), {}, {}, total);
            } else if (s.endsWith(u'č') || s.endsWith(u'k')) {
                add(s.chopped(1), u"c", {}, total);
            }
        });
    }
    if (changes & Soft) {
        each(ChangeCost, [this](QStringView s, int total) {
            const qsizetype k = s.isEmpty() ? -1 : QStringView(u"tdn").indexOf(s.back());
            if (k >= 0)
                add(s.chopped(1), QStringView(u"ťďň").sliced(k, 1), {}, total);
        });
    }
}

} // namespace CzechEndings
