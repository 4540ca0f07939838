#include "translate/TranslateHandler.h"

#include "translate/BaseFormFallback.h"

#include "dictionary/Cp1250.h"
#include "dictionary/EntryAppender.h"
#include "dictionary/LetterFile.h"
#include "shell/Module1.h"
#include "speech/SpeechControl.h"
#include "translate/TranslationView.h"
#include "translate/WordSplitter.h"

#include <QHash>

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

// Why an answer cannot be stored as typed, as the first words of the next question; empty
// when it can.
QString whyNotStorable(const QString& answer)
{
    if (answer.contains(QLatin1Char('\r')) || answer.contains(QLatin1Char('\n')))
        return QStringLiteral(
            "Překlad nesmí obsahovat konec řádku. Napište ho prosím na jeden řádek.");
    if (const auto bad = Cp1250::firstUnencodable(answer))
        return QStringLiteral("Znak „%1“ nelze do slovníku uložit. Napište prosím překlad bez něj.")
            .arg(*bad);
    return {};
}

} // namespace

// Each letter file of a press is read once, for all the words that ask for it, however
// often they occur; no file changes while the handler runs.
class LookupCache
{
  public:
    void want(const QString& path, const QString& word) { m_wanted[path].insert(word); }

    const LetterFile::LookupTable& table(const QString& path)
    {
        auto it = m_tables.find(path);
        if (it == m_tables.end()) {
            // A missing or unreadable file is a file without entries.
            const QByteArray bytes = LetterFile::readFile(path).value_or(QByteArray());
            it = m_tables.insert(path,
                                 LetterFile::LookupTable::fromBytes(bytes, m_wanted.value(path)));
        }
        return it.value();
    }

  private:
    QHash<QString, QSet<QString>> m_wanted;
    QHash<QString, LetterFile::LookupTable> m_tables;
};

TranslateHandler::TranslateHandler(TranslationView& view, SpeechControl& hlas2,
                                   TranslationQuestion& question, FileWriter& writer,
                                   const BaseFormSource* baseForms, HeadWordSource* headWords)
    : m_view(view), m_hlas2(hlas2), m_question(question), m_writer(writer), m_baseForms(baseForms),
      m_headWords(headWords)
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

    // Looking up each word
    LookupCache files;
    for (int i = 1; i <= n; ++i)
        files.want(LetterFile::fileName(DataPath, Words[i], DictExt), Words[i]);
    PressHeadWords pressHeadWords;
    HeadWordSource& headWords = m_headWords ? *m_headWords : pressHeadWords;
    for (int i = 1; i <= n; ++i)
        lookUp(i, files, headWords);
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

void TranslateHandler::lookUp(int i, LookupCache& files, HeadWordSource& headWords)
{
    const QString& word = Words[i];
    const QString path = LetterFile::fileName(DataPath, word, DictExt);
    if (englishToCzech())
        m_hlas2.speak(word);

    bool found = false;
    for (const QString& translation : files.table(path).translationsOf(word)) {
        found = true;
        AppendResultLine(i, translation);
    }
    if (!found && word != QLatin1String("end"))
        found = lookUpBaseForms(i, headWords);
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
bool TranslateHandler::lookUpBaseForms(int i, HeadWordSource& headWords)
{
    if (!m_baseForms)
        return false;
    const QList<BaseFormMatch> matches =
        findBaseForms(Words[i], DataPath, DictExt, *m_baseForms, headWords);
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
        if (answer.isEmpty())
            return answer;
        problem = whyNotStorable(answer);
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
    if (outcome.failed())
        ResultText += word + QStringLiteral(" ...nebylo uloženo do slovníku: ") + outcome.whyNot +
                      QLatin1Char('.') + CrLf;
    else
        ResultText += word + QStringLiteral(" ...přidáno do slovníku jako:  ") + answer + CrLf;
}
