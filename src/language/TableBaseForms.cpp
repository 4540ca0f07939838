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
    const Analysis analysis{ownGuesses(language, word), m_table->formsOf(language, word), {}};
    const std::lock_guard lock(m_lock);
    if (analysed.size() >= AnalysedWords)
        analysed.clear();
    analysed.insert(word, analysis);
    return analysis;
}

std::optional<BaseFormGuesses> TableBaseForms::sameStemIfUnknown(const QString& word,
                                                                 const Analysis& analysis) const
{
    if (analysis.sameStemIfUnknown)
        return *analysis.sameStemIfUnknown;
    std::optional<BaseFormGuesses> stems;
    if (!m_table->knows(Language::Czech, word, analysis.forms))
        stems = CzechEndings::guessesOf(word, CzechEndings::SameStem);
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
    const BaseFormGuesses& own = analysis.own;
    const QList<FormTable::Form>& forms = analysis.forms;
    // The own guesses come cheapest first: the sure ones lead.
    qsizetype sureCount = 0;
    while (sureCount < own.size() && own.cost(sureCount) <= SureCost)
        ++sureCount;
    QStringList found = firstHeadWords(own, isHeadWord, 0, sureCount);
    if (!found.isEmpty())
        return found;

    for (const Kind kind : {Kind::Inflected, Kind::Derived}) {
        BaseFormList bases(word);
        for (const FormTable::Form& form : forms) {
            if (form.kind == kind)
                bases.add(form.base, TableCost + own.costOf(form.base));
        }
        found = firstHeadWords(std::move(bases).guesses(), isHeadWord);
        if (!found.isEmpty())
            return found;
    }

    // What is left comes from the own guesses (those that keep the stem are among them): when
    // none of them is a head word, as for most words by now, neither the spelling dictionary
    // nor the table need be asked.
    bool anyHeadWord = false;
    for (qsizetype i = sureCount; i < own.size() && !anyHeadWord; ++i)
        anyHeadWord = isHeadWord(own.word(i));
    if (!anyHeadWord)
        return {};

    // A Czech word no head word has as a form: a foreign word or one the spelling dictionary
    // lacks (firewallu -> firewall), never one the table knows (gnu is not gen). The table
    // leaves out the English words that derive (authentications), so English takes the
    // guesses below.
    const std::optional<BaseFormGuesses> sameStem =
        language == Language::Czech ? sameStemIfUnknown(word, analysis) : std::nullopt;
    if (sameStem) {
        return firstHeadWords(*sameStem, [&](QStringView base) {
            if (!isHeadWord(base))
                return false;
            const QString spelt = base.toString();
            return !m_table->knows(language, spelt, m_table->formsOf(language, spelt));
        });
    }
    // A word known as itself only (psa) is taken to no head word that is only a form of
    // another word (vidím is not a form of vidí).
    const auto onlyItself = [&](QStringView base) {
        if (!isHeadWord(base))
            return false;
        const QList<FormTable::Form> ofBase = m_table->formsOf(language, base.toString());
        return std::none_of(ofBase.cbegin(), ofBase.cend(), [&](const FormTable::Form& form) {
            return form.kind == Kind::Inflected && form.base != base;
        });
    };
    return firstHeadWords(own, onlyItself, sureCount);
}
