#pragma once

#include "language/BaseFormGuesses.h"
#include "language/BaseFormSource.h"
#include "language/FormTable.h"

#include <QHash>
#include <array>
#include <memory>
#include <mutex>
#include <optional>

// Base forms from the word-form table, without a spelling dictionary at run time: the
// language's own sure guesses first (tables, -ého, -ovat's forms), then the head words the
// table holds the word as a form of (kočku -> kočka, byla -> být through byl), then the other
// guesses of the own analyser, held back as BaseForms holds them back: on a word the table
// does not know, only those that keep the stem as it is; on a word it knows, none that the
// table knows only as a form of another word. The table is ready at once: there is nothing
// to prepare, and the first word costs what every other does.
class TableBaseForms final : public BaseFormSource
{
  public:
    explicit TableBaseForms(std::shared_ptr<const FormTable> table);

    QStringList baseFormsOf(const QString& loweredWord, Language language,
                            const IsHeadWord& isHeadWord) const override;
    void endPass() const override;

  private:
    // What the base forms of a word are chosen from, whichever head words are asked about.
    struct Analysis {
        BaseFormGuesses own;          // the own analyser's guesses, cheapest first
        QList<FormTable::Form> forms; // the word's forms in the table
        // Czech, asked only when nothing cheaper answered: nothing when the spelling dictionary
        // knows the word, else the guesses that keep its stem.
        std::optional<std::optional<BaseFormGuesses>> sameStemIfUnknown;
    };
    Analysis analysisOf(const QString& word, Language language) const;
    std::optional<BaseFormGuesses> sameStemIfUnknown(const QString& word,
                                                     const Analysis& analysis) const;

    std::shared_ptr<const FormTable> m_table;
    // The translation pass and the phrase search of one press ask for the same words, with
    // other head words in mind: each word is analysed once a press, and forgotten after it.
    mutable std::array<QHash<QString, Analysis>, 2> m_analysed;
    mutable std::mutex m_lock;
};
