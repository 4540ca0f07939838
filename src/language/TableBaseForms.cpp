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
    const Analysis analysis{ownBaseForms(language, word), m_table->formsOf(language, word), {}};
    const std::lock_guard lock(m_lock);
    if (analysed.size() >= AnalysedWords)
        analysed.clear();
    analysed.insert(word, analysis);
    return analysis;
}

std::optional<QList<BaseForm>> TableBaseForms::sameStemIfUnknown(const QString& word,
                                                                 const Analysis& analysis) const
{
    if (analysis.sameStemIfUnknown)
        return *analysis.sameStemIfUnknown;
    std::optional<QList<BaseForm>> stems;
    if (!m_table->knows(Language::Czech, word, analysis.forms))
        stems = CzechEndings::baseFormsOf(word, CzechEndings::SameStem);
    const std::lock_guard lock(m_lock);
    if (const auto memo = m_analysed[0].find(word); memo != m_analysed[0].end())
        memo->sameStemIfUnknown = stems;
    return stems;
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
    // Named references, not a structured binding: lambdas below use them, which clang
    // does not take of a binding.
    const Analysis analysis = analysisOf(word, language);
    const QList<BaseForm>& own = analysis.own;
    const QList<FormTable::Form>& forms = analysis.forms;
    // The own guesses come cheapest first: the sure ones lead.
    const qsizetype sureCount =
        std::find_if(own.cbegin(), own.cend(),
                     [](const BaseForm& form) { return form.cost > SureCost; }) -
        own.cbegin();
    QStringList found = firstHeadWords(own.first(sureCount), isHeadWord);
    if (!found.isEmpty())
        return found;

    const auto ownCost = [&](const QString& base) {
        const auto it = std::find_if(own.cbegin(), own.cend(),
                                     [&](const BaseForm& form) { return form.word == base; });
        return it == own.cend() ? Unguessed : it->cost;
    };
    for (const Kind kind : {Kind::Inflected, Kind::Derived}) {
        BaseFormList bases(word);
        for (const FormTable::Form& form : forms) {
            if (form.kind == kind)
                bases.add(form.base, TableCost + ownCost(form.base));
        }
        found = firstHeadWords(bases.sorted(), isHeadWord);
        if (!found.isEmpty())
            return found;
    }

    // What is left comes from the own guesses (those that keep the stem are among them): when
    // none of them is a head word, as for most words by now, neither the spelling dictionary
    // nor the table need be asked.
    if (std::none_of(own.cbegin() + sureCount, own.cend(),
                     [&](const BaseForm& base) { return isHeadWord(base.word); }))
        return {};

    // A Czech word no head word has as a form: a foreign word or one the spelling dictionary
    // lacks (firewallu -> firewall), never one the table knows (gnu is not gen). The table
    // leaves out the English words that derive (authentications), so English takes the
    // guesses below.
    const std::optional<QList<BaseForm>> sameStem =
        language == Language::Czech ? sameStemIfUnknown(word, analysis) : std::nullopt;
    if (sameStem) {
        return firstHeadWords(*sameStem, [&](const QString& base) {
            return isHeadWord(base) &&
                   !m_table->knows(language, base, m_table->formsOf(language, base));
        });
    }
    // A word known as itself only (psa) is taken to no head word that is only a form of
    // another word (vidím is not a form of vidí).
    return firstHeadWords(own.sliced(sureCount), [&](const QString& base) {
        if (!isHeadWord(base))
            return false;
        const QList<FormTable::Form> ofBase = m_table->formsOf(language, base);
        return std::none_of(ofBase.cbegin(), ofBase.cend(), [&](const FormTable::Form& form) {
            return form.kind == Kind::Inflected && form.base != base;
        });
    });
}
