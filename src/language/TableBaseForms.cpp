#include "language/TableBaseForms.h"

#include "language/BaseFormList.h"
#include "language/FormTable.h"

using FormTableFormat::Kind;

namespace
{

// A base form the table holds the word as a form of, as a spelling dictionary's stem costs
// (see BaseForms); through another word's form one step more.
constexpr int TableCost = 1;

// Words analysed before the memory starts afresh, should a pass never end: a long press has
// fewer distinct words.
constexpr qsizetype AnalysedWords = 1024;

} // namespace

TableBaseForms::TableBaseForms(std::shared_ptr<const FormTable> table) : m_table(std::move(table))
{
}

TableBaseForms::Analysis TableBaseForms::analysisOf(const QString& word, Language language) const
{
    QHash<QString, Analysis>& analysed = m_analysed[language == Language::Czech ? 0 : 1];
    {
        const std::lock_guard lock(m_lock);
        if (const auto known = analysed.constFind(word); known != analysed.cend())
            return *known;
    }
    Analysis analysis{ownBaseForms(language, word), m_table->formsOf(language, word)};
    const std::lock_guard lock(m_lock);
    if (analysed.size() >= AnalysedWords)
        analysed.clear();
    analysed.insert(word, analysis);
    return analysis;
}

void TableBaseForms::endPass() const
{
    const std::lock_guard lock(m_lock);
    for (QHash<QString, Analysis>& analysed : m_analysed)
        analysed = {};
}

QStringList TableBaseForms::baseFormsOf(const QString& word, Language language,
                                        const IsHeadWord& isHeadWord) const
{
    if (!m_table || word.isEmpty())
        return {};
    const auto [own, forms] = analysisOf(word, language);
    QList<BaseForm> sure, rest;
    QHash<QString, int> ownCost;
    for (const BaseForm& form : own) {
        ownCost.insert(form.word, form.cost);
        (form.cost <= SureCost ? sure : rest).append(form);
    }
    QStringList found = firstHeadWords(sure, isHeadWord);
    if (!found.isEmpty())
        return found;

    for (const Kind kind : {Kind::Inflected, Kind::Derived}) {
        BaseFormList bases(word);
        for (const FormTable::Form& form : forms) {
            if (form.kind == kind)
                bases.add(form.base, TableCost + ownCost.value(form.base, Unguessed));
        }
        found = firstHeadWords(bases.sorted(), isHeadWord);
        if (!found.isEmpty())
            return found;
    }

    if (language == Language::Czech && !m_table->knows(language, word, forms)) {
        // A Czech word no head word has as a form: a foreign word or one the spelling
        // dictionary lacks (firewallu -> firewall), never one the table knows (gnu is not
        // gen). The table leaves out the English words that derive (authentications), so
        // English takes the guesses below.
        return firstHeadWords(
            CzechEndings::baseFormsOf(word, CzechEndings::SameStem), [&](const QString& base) {
                return isHeadWord(base) &&
                       !m_table->knows(language, base, m_table->formsOf(language, base));
            });
    }
    // A word known as itself only (psa) is taken to no head word that is only a form of
    // another word (vidím is not a form of vidí).
    return firstHeadWords(rest, [&](const QString& base) {
        if (!isHeadWord(base))
            return false;
        const QList<FormTable::Form> ofBase = m_table->formsOf(language, base);
        return std::none_of(ofBase.cbegin(), ofBase.cend(), [&](const FormTable::Form& form) {
            return form.kind == Kind::Inflected && form.base != base;
        });
    });
}
