#include "translate/TranslateHandler.h"

#include "translate/BaseFormFallback.h"
#include "translate/LearningAnswer.h"

#include "dictionary/EntryAppender.h"
#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "dictionary/WordSplitter.h"
#include "speech/SpeechControl.h"
#include "state/Module1.h"
#include "translate/TranslationView.h"

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

} // namespace

TranslateHandler::TranslateHandler(TranslationView& view, SpeechControl& hlas2,
                                   TranslationQuestion& question, FileWriter& writer,
                                   HeadIndex& heads, const BaseFormSource* baseForms)
    : m_view(view), m_hlas2(hlas2), m_question(question), m_writer(writer), m_heads(heads),
      m_baseForms(baseForms)
{
}

void TranslateHandler::run()
{
    // Start
    m_view.setMousePointer(MousePointer::Hourglass);
    for (int j = 1; j <= MaxWords; ++j)
        Words[j].clear();
    UnknownCount = 0;
    m_notOffered = 0;
    m_view.setOutputText(QString());
    m_hlas2.setSpeed(TranslationSpeed);
    const QString scanText = m_view.inputText() + QLatin1Char('.');
    ResultText.clear();

    // Splitting into words; a text longer than the word table is cut after its last slot.
    const QStringList typed = WordSplitter::split(scanText);
    const int n = static_cast<int>(std::min<qsizetype>(typed.size(), MaxWords));
    for (int j = 1; j <= n; ++j)
        Words[j] = typed[j - 1].toLower();

    // Looking up each word; a letter file read by an earlier press is read again only if it
    // has changed since.
    m_heads.beginPass();
    for (int i = 1; i <= n; ++i)
        lookUp(i);
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

void TranslateHandler::lookUp(int i)
{
    const QString& word = Words[i];
    const QString path = LetterFile::fileName(DataPath, word, DictExt);
    if (englishToCzech())
        m_hlas2.speak(word);

    bool found = false;
    for (const QString& translation : m_heads.translationsOf(path, word)) {
        found = true;
        AppendResultLine(i, translation);
    }
    if (!found && word != QLatin1String("end"))
        found = lookUpBaseForms(i);
    if (word == QLatin1String("end") && !found)
        AppendResultLine(i, QStringLiteral("konec"));
    if (!found) {
        // Past the table's last slot a word still gets its line but is not offered for learning.
        if (UnknownCount < MaxUnknown)
            Unknown[++UnknownCount] = word;
        else
            ++m_notOffered;
        AppendResultLine(i, NotFound);
    }
}

// One line per entry of each base form found: "psa ........... (pes) dog". In the
// Czech-to-English direction only the English is spoken, not the Czech base form.
bool TranslateHandler::lookUpBaseForms(int i)
{
    if (!m_baseForms)
        return false;
    const QList<BaseFormMatch> matches =
        findBaseForms(Words[i], DataPath, DictExt, *m_baseForms, m_heads);
    for (const BaseFormMatch& match : matches) {
        for (const QString& translation : match.translations)
            AppendResultLine(i, QLatin1Char('(') + match.base + QStringLiteral(") ") + translation,
                             translation);
    }
    return !matches.isEmpty();
}

void TranslateHandler::AppendResultLine(int i, const QString& lineTranslation)
{
    AppendResultLine(i, lineTranslation, lineTranslation);
}

void TranslateHandler::AppendResultLine(int i, const QString& lineTranslation,
                                        const QString& spoken)
{
    if (czechToEnglish())
        m_hlas2.speak(spoken);
    ResultText += Words[i] + ResultSeparator + lineTranslation + CrLf;
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

QString TranslateHandler::learningPrompt(const QString& word, const QString& dictExt)
{
    const QString hint =
        dictExt == LetterFile::EnglishToCzech
            ? QStringLiteral("Pokud má slovo více významů, oddělujte je prosím středníky! ")
            : QString();
    return QStringLiteral("Slovo  ") + word.toUpper() +
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
        const QString answer = askForTranslation(Unknown[i]);
        if (answer.isEmpty())
            continue;
        LearnWord(i, answer);
    }
    UnknownCount = 0;
    ShowResult();
}

QString TranslateHandler::askForTranslation(const QString& word)
{
    const QString prompt = learningPrompt(word, DictExt);
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
