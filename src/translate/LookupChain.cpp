#include "translate/LookupChain.h"

#include "dictionary/LookupTable.h"
#include "dictionary/WordSplitter.h"
#include "language/Contractions.h"
#include "language/Folding.h"
#include "language/FormLookup.h"
#include "language/GuessRanking.h"
#include "translate/BaseFormFallback.h"

#include <QRegularExpression>
#include <optional>

namespace
{

// At most this many head words stand for a word that has no entry of its own.
constexpr int MostCandidates = 2;
// The head words near a mistyped word that are weighed against each other for the guesses.
constexpr int NearestWeighed = 10;
// A word shorter than this is one edit from too many words for a guess to mean much; one of
// two letters is guessed at only where a usual slip explains it (te -> the).
constexpr int ShortestGuessed = 2;
constexpr int ShortestFreelyGuessed = 3;
// A capitalised word shorter than this is likelier a name than a slip (Keep is no krep).
constexpr int ShortestCapitalisedSlip = 6;

// A Czech adjective made from a name is written in lower case (linuxový, debianových): with
// a capital, in a title or a heading, it is still an ordinary word. Not -ová, -ové, -ovou:
// those are the forms of women's surnames (Nováková).
bool czechAdjectiveOfName(const QString& word, Language language)
{
    static const QRegularExpression ending(QStringLiteral("^\\w{3,}ov(y|eho|emu|em|ym|ych|ymi)$"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    return language == Language::Czech && ending.match(foldDiacritics(word)).hasMatch();
}

bool isContraction(const QString& word)
{
    return word.contains(QLatin1Char('\''));
}

// "(base) translation" lines, each speaking its translation; each line spelt in place, as
// thousands of them may be made in one press.
void appendBaseLines(WordLookup& out, const QString& base, const QStringList& translations)
{
    for (const QString& translation : translations) {
        QString line;
        line.reserve(base.size() + translation.size() + 3);
        line.append(u'(').append(base).append(u") ").append(translation);
        out.lines.append({std::move(line), translation});
    }
}

struct Candidate {
    QString base;
    std::optional<QStringList> translations; // looked up when the candidate's turn comes
    LookupKind kind;
};

} // namespace

LookupChain::LookupChain(HeadIndex& heads, QString dataPath, QString dictExt,
                         const BaseFormSource* baseForms, const FormLookup* forms)
    : m_language(languageOf(dictExt)), m_baseForms(baseForms), m_forms(forms),
      m_tables(heads, std::move(dataPath), std::move(dictExt))
{
}

WordLookup LookupChain::lookUp(const TypedWord& typed) const
{
    const QString& word = typed.word;
    WordLookup out;
    for (const QString& translation : translationsOf(word))
        out.lines.append({translation, translation});
    if (!out.lines.isEmpty()) {
        out.kind = LookupKind::Exact;
        return out;
    }
    // "end" keeps its own two lines, and is offered like any word without an entry.
    if (word == QLatin1String("end")) {
        out.lines = {{End, End}, {NotFound, NotFound}};
        out.offerForLearning = true;
        return out;
    }
    if (contraction(word, out) || candidates(word, out))
        return out;
    // Capitals say more than a word one or two edits away: an abbreviation's, wherever the
    // word stands, or a first one where no sentence starts; unless one slip of the fingers
    // makes a head word of a longer one (Reosurce, a heading's KONFIGRACE), as a name or an
    // abbreviation seldom is.
    const bool nameLike =
        typed.capitalised && !typed.sentenceStart && !czechAdjectiveOfName(word, m_language);
    if ((nameLike || typed.abbreviation) && word.size() >= ShortestCapitalisedSlip &&
        guess(word, out, true))
        return out;
    if (typed.abbreviation || nameLike) {
        out.kind = LookupKind::Name;
        out.lines = {{typed.abbreviation ? AbbreviationLine : NameLine, NotFound}};
        return out;
    }
    if (guess(word, out))
        return out;
    out.lines = {{NotFound, NotFound}};
    out.offerForLearning = !isContraction(word);
    return out;
}

bool LookupChain::knows(const QString& loweredWord) const
{
    if (!translationsOf(loweredWord).isEmpty())
        return true;
    if (!m_forms)
        return false;
    for (const FormMatch& match : m_forms->folded(loweredWord, m_language, MostCandidates)) {
        if (!translationsOf(match.base).isEmpty())
            return true;
    }
    return false;
}

QStringList LookupChain::translationsOf(const QString& head) const
{
    // A word that starts with an apostrophe ('tis) has no letter file.
    if (head.isEmpty() || !WordSplitter::isWordCharacter(head.front()))
        return {};
    return m_tables.of(head).translationsOf(head);
}

// don't -> "(do) …", "(not) …": the lines of each word it stands for that has entries, as
// typed or through its base form.
bool LookupChain::contraction(const QString& word, WordLookup& out) const
{
    for (const QString& part : contractionParts(word)) {
        QStringList translations = translationsOf(part);
        QString base = part;
        if (translations.isEmpty() && m_baseForms) {
            const QList<BaseFormMatch> bases =
                findBaseForms(part, m_language, *m_baseForms, m_tables);
            if (!bases.isEmpty()) {
                base = bases.front().base;
                translations = bases.front().translations;
            }
        }
        appendBaseLines(out, base, translations);
    }
    if (out.lines.isEmpty())
        return false;
    out.kind = LookupKind::Contraction;
    return true;
}

// The head words a word without an entry may stand for, ranked in one place: a head word
// that is the word typed without diacritics (kun -> kůň), then the word's base forms
// (kun -> kuna), then head words one of whose forms matches it once diacritics are folded
// away (kocku -> kočka; počítači -> počítací only after počítač).
bool LookupChain::candidates(const QString& word, WordLookup& out) const
{
    if (isContraction(word))
        return false;
    QList<Candidate> ranked;
    QList<FormMatch> folded;
    if (m_forms && m_language == Language::Czech)
        folded = m_forms->folded(word, m_language, MostCandidates);
    const auto addFolded = [&](bool headWordsThemselves) {
        for (const FormMatch& match : std::as_const(folded)) {
            if ((match.form == match.base) == headWordsThemselves)
                ranked.append({match.base, std::nullopt, LookupKind::Folded});
        }
    };
    // A word typed with diacritics meant them: a head word spelt otherwise comes last.
    const bool typedWithout = word == foldDiacritics(word);
    if (typedWithout)
        addFolded(true);
    if (m_baseForms) {
        for (const BaseFormMatch& match : findBaseForms(word, m_language, *m_baseForms, m_tables))
            ranked.append({match.base, match.translations, LookupKind::BaseForm});
    }
    if (!typedWithout)
        addFolded(true);
    addFolded(false);

    QStringList shown;
    for (const Candidate& candidate : std::as_const(ranked)) {
        if (shown.size() == MostCandidates)
            break;
        if (shown.contains(candidate.base))
            continue;
        const QStringList translations =
            candidate.translations ? *candidate.translations : translationsOf(candidate.base);
        if (translations.isEmpty())
            continue;
        if (shown.isEmpty())
            out.kind = candidate.kind;
        shown.append(candidate.base);
        appendBaseLines(out, candidate.base, translations);
    }
    return !shown.isEmpty();
}

// hosue -> "Nenalezeno. Překlep? Možná „house“ – dům": the likeliest words the typing was
// meant as, each with its first meaning. The word still counts as not found. It is offered
// for learning all the same (the question naming the likeliest guess) when it is plausibly a
// real word the dictionary lacks: the spelling dictionary knows it, or no single slip of the
// fingers explains it, as the nearest head word is two edits away.
bool LookupChain::guess(const QString& word, WordLookup& out, bool onlyUsualSlip) const
{
    if (!m_forms || word.size() < ShortestGuessed || isContraction(word))
        return false;
    QStringList guesses;
    QStringList bases;
    int fewestEdits = 0;
    // A capitalised word, or one of two letters, passes for a slip only when a head word
    // itself, as it is spelt, is one usual slip away: an inflected form is near too many
    // names (Bourne, bourně). The words one edit away come first, so they alone tell; the
    // search two edits away, many times dearer, is made only for a word that passes and
    // only when it can change the line.
    const auto nearestWithin = [&](int edits) {
        return likeliestMeant(word, m_forms->near(word, m_language, NearestWeighed, edits));
    };
    // At most MostCandidates head words with a meaning, likeliest first, each with its first
    // meaning only: the line stays short enough to read at a glance.
    const auto pick = [&](const QList<FormMatch>& nearest) {
        guesses.clear();
        bases.clear();
        for (const FormMatch& match : nearest) {
            if (guesses.size() == MostCandidates)
                break;
            const QStringList translations = translationsOf(match.base);
            if (translations.isEmpty() || bases.contains(match.base))
                continue;
            if (bases.isEmpty())
                fewestEdits = match.edits;
            bases.append(match.base);
            const QString meaning = translations.front().section(u';', 0, 0).trimmed();
            guesses.append(QStringLiteral("„%1“ – %2").arg(match.base, meaning));
        }
    };
    const QList<FormMatch> oneEdit = nearestWithin(1);
    if ((onlyUsualSlip || word.size() < ShortestFreelyGuessed) &&
        (oneEdit.isEmpty() || oneEdit.front().edits != 1 ||
         oneEdit.front().form != oneEdit.front().base ||
         !usualSlip(foldDiacritics(word), foldDiacritics(oneEdit.front().form))))
        return false;
    pick(oneEdit);
    // Every word one edit away ranks before any two away: where those one away fill the line,
    // the search two edits away would change nothing, and is spared.
    if (word.size() >= ShortestFreelyGuessed && guesses.size() < MostCandidates &&
        foldDiacritics(word).size() > FormLookup::OneEditUpTo)
        pick(nearestWithin(2));
    if (guesses.isEmpty())
        return false;
    out.kind = LookupKind::Guess;
    out.lines = {{GuessLine + guesses.join(QStringLiteral(" nebo ")), NotFound}};
    out.offerForLearning = fewestEdits > 1 || m_forms->isWord(word, m_language);
    if (out.offerForLearning)
        out.typoOf = bases.front();
    return true;
}
