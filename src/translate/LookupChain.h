#pragma once

#include "language/BaseFormSource.h"
#include "translate/LetterTables.h"

#include <QList>
#include <QString>

class FormLookup;
class HeadIndex;

// How a word came to its lines, from the surest way to none.
enum class LookupKind { Exact, BaseForm, Folded, Contraction, Guess, Name, NotFound };

// One result line of a word, without the word and the separator: what stands behind the
// separator, and what is spoken of it in the Czech-to-English direction.
struct WordLine {
    QString translation;
    QString spoken;
    bool operator==(const WordLine&) const = default;
};

struct WordLookup {
    LookupKind kind = LookupKind::NotFound;
    QList<WordLine> lines;
    bool offerForLearning = false; // an ordinary word of the direction's language, missing
    // Offered though it looks mistyped: the head word it may have been meant as.
    QString typoOf;
};

// A word as the splitter gave it: lowered, and what its typing says of it.
struct TypedWord {
    QString word;
    bool capitalised = false; // typed with a capital first letter
    bool sentenceStart = false;
    bool abbreviation = false; // in capitals, but for a short ending (DVD, NTP, BIOSu)
};

// The way of one word through the dictionary of one direction, one stage after another:
// its own entries; a contraction's words; its base forms and, for Czech, the head words its
// spelling matches with the diacritics folded away (at most two of these, ranked together);
// an abbreviation or a proper name; a likely typo; nothing. The first stage that answers gives the
// word's lines. Without base forms or forms those stages give nothing.
class LookupChain
{
  public:
    LookupChain(HeadIndex& heads, QString dataPath, QString dictExt,
                const BaseFormSource* baseForms, const FormLookup* forms);

    WordLookup lookUp(const TypedWord& typed) const;

    // Whether the word has entries here as typed, or as a head word or form whose spelling
    // matches it once diacritics are folded away.
    bool knows(const QString& loweredWord) const;

    static inline const QString NotFound = QStringLiteral("Nenalezeno.");
    static inline const QString End = QStringLiteral("konec");
    static inline const QString NameLine = QStringLiteral("Nenalezeno. Nejspíš vlastní jméno.");
    static inline const QString AbbreviationLine = QStringLiteral("Nenalezeno. Nejspíš zkratka.");
    // Followed by the guesses: „house“ – dům and, after " nebo ", a second one.
    static inline const QString GuessLine = QStringLiteral("Nenalezeno. Překlep? Možná ");

  private:
    QStringList translationsOf(const QString& head) const;
    bool contraction(const QString& word, WordLookup& out) const;
    bool candidates(const QString& word, WordLookup& out) const;
    bool guess(const QString& word, WordLookup& out, bool onlyUsualSlip = false) const;

    Language m_language;
    const BaseFormSource* m_baseForms;
    const FormLookup* m_forms;
    mutable LetterTables m_tables; // a chain serves one pass
};
