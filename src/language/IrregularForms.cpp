#include "language/IrregularForms.h"

IrregularForms::IrregularForms(const char16_t* text) : m_nodes(1)
{
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            continue;
        QStringView base = line.first(colon).trimmed();
        auto prefixes = IrregularBase::Alone;
        if (base.startsWith(u'+'))
            prefixes = IrregularBase::Prefixed;
        if (base.startsWith(u'~'))
            prefixes = IrregularBase::PrefixedShort;
        if (prefixes != IrregularBase::Alone)
            base = base.sliced(1);
        const IrregularBase entry{base.toString(), prefixes};
        for (const QStringView form : line.sliced(colon + 1).tokenize(u' ', Qt::SkipEmptyParts))
            m_nodes[std::size_t(nodeOf(form))].bases.append(entry);
    }
}

int IrregularForms::nodeOf(QStringView form)
{
    int node = 0;
    for (qsizetype i = form.size() - 1; i >= 0; --i) {
        const char16_t letter = form[i].unicode();
        int next = child(node, letter);
        if (next < 0) {
            next = int(m_nodes.size());
            // The root's children are found through m_fromRoot alone.
            if (node != 0)
                m_nodes[std::size_t(node)].children.push_back({letter, next});
            m_nodes.emplace_back();
            if (node == 0) {
                if (letter >= m_fromRoot.size())
                    m_fromRoot.resize(letter + 1u, -1);
                m_fromRoot[letter] = next;
            }
        }
        node = next;
    }
    return node;
}
