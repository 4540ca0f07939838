#include "translate/TranslateHandler.h"

#include "translate/LearningAnswer.h"
#include "translate/OtherLanguage.h"
#include "translate/PhraseFinder.h"

#include "dictionary/EntryAppender.h"
#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "dictionary/WordSplitter.h"
#include "speech/SpeechControl.h"
#include "state/Module1.h"
#include "translate/TranslationView.h"

#include <unordered_map>

using namespace Module1;

namespace
{

constexpr int TranslationSpeed = 170;
const QString CrLf = QStringLiteral("\r\n");

bool englishToCzech()
{
    return DictExt == LetterFile::EnglishToCzech;
}

bool czechToEnglish()
{
    return DictExt == LetterFile::CzechToEnglish;
}

// Two capitals or more and after them at most a short ending in lower case: DVD, NTP, IPv,
// CDs, and Czech cases such as BIOSu, APTů.
bool isAbbreviation(const QString& typed)
{
    const auto lower =
        std::find_if(typed.cbegin(), typed.cend(), [](QChar c) { return !c.isUpper(); });
    const qsizetype capitals = lower - typed.cbegin();
    return capitals >= 2 && typed.size() - capitals <= 2 &&
           std::all_of(lower, typed.cend(), [](QChar c) { return c.isLower(); });
}

} // namespace

TranslateHandler::TranslateHandler(TranslationView& view, SpeechControl& hlas2,
                                   TranslationQuestion& question, FileWriter& writer,
                                   HeadIndex& heads, const BaseFormSource* baseForms,
                                   const FormLookup* forms, PhraseFinder* phrases)
    : m_view(view), m_hlas2(hlas2), m_question(question), m_writer(writer), m_heads(heads),
      m_baseForms(baseForms), m_forms(forms), m_phrases(phrases)
{
}

void TranslateHandler::run()
{
    // Start
    m_view.setMousePointer(MousePointer::Hourglass);
    for (int j = 1; j <= MaxWords; ++j)
        Words[j].clear();
    UnknownCount = 0;
    m_typoOf.clear();
    m_notOffered = 0;
    m_view.setOutputText(QString());
    m_hlas2.setSpeed(TranslationSpeed);
    const QString scanText = m_view.inputText() + QLatin1Char('.');
    ResultText.clear();

    // Splitting into words, English contractions kept whole; a text longer than the word table
    // is cut after its last slot.
    const QList<WordSplitter::Token> typed = WordSplitter::tokens(scanText, englishToCzech());
    const int n = static_cast<int>(std::min<qsizetype>(typed.size(), MaxWords));
    QList<TypedWord> words;
    for (int j = 1; j <= n; ++j) {
        const WordSplitter::Token& token = typed[j - 1];
        Words[j] = token.text.toLower();
        words.append({Words[j], token.text.front().isUpper(), token.sentenceStart,
                      isAbbreviation(token.text)});
    }

    // Looking up each word; a text plainly in the other language says so first.
    lookUpWords(words);
    if (m_otherLanguage)
        ResultText += otherLanguageLine(DictExt) + CrLf;

    for (int i = 1; i <= n; ++i) {
        const WordLookup& lookup = m_lookups[i - 1];
        if (lookup.offerForLearning && !m_otherLanguage) {
            // Past the table's last slot a word still gets its line but is not offered.
            if (UnknownCount < MaxUnknown) {
                Unknown[++UnknownCount] = Words[i];
                m_typoOf.append(lookup.typoOf);
            } else
                ++m_notOffered;
        }
        for (const WordLine& line : lookup.lines)
            AppendResultLine(i, line);
    }
    if (m_phrases)
        appendPhraseLines(scanText, n);
    if (m_baseForms)
        m_baseForms->endPass();
    if (typed.size() > MaxWords) {
        ResultText += QStringLiteral("Text je delší než %1 slov: přeloženo bylo prvních %1 slov, "
                                     "vynechaných slov: %2.")
                          .arg(MaxWords)
                          .arg(typed.size() - MaxWords) +
                      CrLf;
    }
    if (m_notOffered > 0) {
        ResultText += QStringLiteral("Nenalezených slov je víc než %1: k uložení do slovníku bylo "
                                     "nabídnuto prvních %1, nenabídnutých slov: %2.")
                          .arg(MaxUnknown)
                          .arg(m_notOffered) +
                      CrLf;
    }

    ShowResult();
}

// Each word once through the lookup chain, English words spoken before their lookup; a letter
// file read by an earlier press is read again only if it has changed since.
void TranslateHandler::lookUpWords(const QList<TypedWord>& words)
{
    m_heads.beginPass();
    const LookupChain chain(m_heads, DataPath, DictExt, m_baseForms, m_forms);
    m_lookups.clear();
    // A word met again in the same press, typed alike, is answered as the first time: the
    // letter files cannot change in between, and the fallbacks cost far more than a copy.
    std::unordered_map<QString, qsizetype> firstSeen;
    for (const TypedWord& word : words) {
        if (englishToCzech())
            m_hlas2.speak(word.word);
        QString key;
        key.reserve(word.word.size() + 1);
        key.append(QChar(u'0' + word.capitalised + 2 * word.sentenceStart + 4 * word.abbreviation))
            .append(word.word);
        const auto [seen, added] = firstSeen.try_emplace(key, m_lookups.size());
        WordLookup lookup = added ? chain.lookUp(word) : m_lookups.at(seen->second);
        m_lookups.append(std::move(lookup));
    }
    const QString otherExt =
        englishToCzech() ? LetterFile::CzechToEnglish : LetterFile::EnglishToCzech;
    m_otherLanguage = inOtherLanguage(
        words, m_lookups, LookupChain(m_heads, DataPath, otherExt, nullptr, m_forms), DictExt);
}

// After the word lines, one line per entry of each phrase found; in the Czech-to-English
// direction its English is spoken, as a word's is.
void TranslateHandler::appendPhraseLines(const QString& scanText, int n)
{
    const QList<PhraseMatch> found = m_phrases->find(scanText, std::span(Words).subspan(1, n),
                                                     DataPath, DictExt, m_heads, m_baseForms);
    for (const PhraseMatch& phrase : found) {
        for (const QString& translation : phrase.translations) {
            if (czechToEnglish())
                m_hlas2.speak(translation);
            appendResult(phrase.typed, phrase.shown(translation));
        }
    }
}

// In the Czech-to-English direction each line speaks its English side.
void TranslateHandler::AppendResultLine(int i, const WordLine& line)
{
    if (czechToEnglish())
        m_hlas2.speak(line.spoken);
    appendResult(Words[i], line.translation);
}

// In place: a press appends thousands of lines, and a line put together first is copied twice.
void TranslateHandler::appendResult(const QString& words, const QString& translation)
{
    ResultText.append(words).append(ResultSeparator).append(translation).append(CrLf);
}

void TranslateHandler::ShowResult()
{
    m_view.setOutputText(ResultText);
    m_view.setInputText(QString());
    m_view.setMousePointer(MousePointer::Default);
    if (UnknownCount < 1)
        return;
    LearnUnknownWords();
}

QString TranslateHandler::learningPrompt(const QString& word, const QString& dictExt,
                                         const QString& typoOf)
{
    const QString typo =
        typoOf.isEmpty()
            ? QString()
            : QStringLiteral("Vypadá to na překlep slova „%1“. Je-li to překlep, nic nepište a "
                             "odklepněte Enterem: slovo se neuloží.\n\n")
                  .arg(typoOf);
    const QString hint =
        dictExt == LetterFile::EnglishToCzech
            ? QStringLiteral("Pokud má slovo více významů, oddělujte je prosím středníky! ")
            : QString();
    return typo + QStringLiteral("Slovo  ") + word.toUpper() +
           QStringLiteral(
               "  nebylo nalezeno. Pokud znáte jeho překlad, zapište ho nyní prosím a slovo "
               "bude uloženo do slovníku.") +
           hint +
           QStringLiteral(" Pokud neznáte jeho překlad, odklepněte Enterem, nebo tlačítkem OK.");
}

void TranslateHandler::LearnUnknownWords()
{
    const int count = UnknownCount;
    for (int i = 1; i <= count; ++i) {
        const QString answer = askForTranslation(Unknown[i], m_typoOf.value(i - 1));
        if (answer.isEmpty())
            continue;
        LearnWord(i, answer);
    }
    UnknownCount = 0;
    ShowResult();
}

QString TranslateHandler::askForTranslation(const QString& word, const QString& typoOf)
{
    const QString prompt = learningPrompt(word, DictExt, typoOf);
    QString problem;
    for (;;) {
        const QString answer = m_question.ask(
            problem.isEmpty() ? prompt : problem + QStringLiteral("\n\n") + prompt, QuestionTitle);
        if (LearningAnswer::isNone(answer))
            return {};
        problem = LearningAnswer::whyNotStorable(answer);
        if (problem.isEmpty())
            return answer;
    }
}

void TranslateHandler::LearnWord(int i, const QString& answer)
{
    const QString& word = Unknown[i];
    const QString separator = englishToCzech() ? QStringLiteral(";") : QString();
    const QString path = LetterFile::fileName(DataPath, word, DictExt);
    const auto outcome = LetterFile::appendEntry(
        path, DictExt, {word.toUpper(), answer + separator}, Lines, m_writer);
    m_heads.forget(path);
    if (outcome.failed())
        ResultText += word + QStringLiteral(" ...nebylo uloženo do slovníku: ") + outcome.whyNot +
                      QLatin1Char('.') + CrLf;
    else
        ResultText += word + QStringLiteral(" ...přidáno do slovníku jako:  ") + answer + CrLf;
}
