#pragma once

#include "translate/LookupChain.h"

#include <QString>

class BaseFormSource;
class FileWriter;
class FormLookup;
class HeadIndex;
class PhraseFinder;
class SpeechControl;
class TranslationQuestion;
class TranslationView;

// The work of one press of the translate button: split the typed text into words, look each
// one up in its letter file, show one result line per entry found or "Nenalezeno.", speak
// the English side, then ask for the words that were not found and store every answer as a
// new entry. Reads DataPath and DictExt; fills Words, Unknown and UnknownCount.
//
// A word without an entry of its own (other than "end") goes on through the lookup chain
// (LookupChain): a contraction's words, base forms, folded diacritics, a proper name or an
// abbreviation, a likely typo. Only an ordinary word of the window's language that nothing explains
// is offered for learning, or a likely typo that is plausibly a real word, the question then naming
// the word it may be a typo of; none of a text plainly in the other language, which its first line
// then says.
//
// With a phrase finder, the dictionary's phrases found in the text follow the word lines, one
// line per entry: "of course ........... ovšem; samozřejmě;", or through a base form
// "gave up ........... (give up) vzdát se;". Czech to English speaks their English; learning
// stays with the words.
class TranslateHandler
{
  public:
    // `heads` outlives the handler: it keeps what earlier presses read.
    TranslateHandler(TranslationView& view, SpeechControl& hlas2, TranslationQuestion& question,
                     FileWriter& writer, HeadIndex& heads,
                     const BaseFormSource* baseForms = nullptr, const FormLookup* forms = nullptr,
                     PhraseFinder* phrases = nullptr);

    void run();

    const QString& resultText() const { return ResultText; }
    // How each word of the last press was found, in order; whether it was in the other language.
    const QList<WordLookup>& lookups() const { return m_lookups; }
    bool otherLanguage() const { return m_otherLanguage; }

    static inline const QString ResultSeparator = QStringLiteral(" ........... ");
    static inline const QString NotFound = LookupChain::NotFound;
    static inline const QString QuestionTitle = QStringLiteral("Nové neznámé slovo...");

    // The question asked for an unknown word (as held in Unknown) in the current direction;
    // for a word that looks mistyped, it first names the word it may have been meant as.
    static QString learningPrompt(const QString& word, const QString& dictExt,
                                  const QString& typoOf = {});

  private:
    void lookUpWords(const QList<TypedWord>& words);
    void appendPhraseLines(const QString& scanText, int n);
    void ShowResult();
    void AppendResultLine(int i, const WordLine& line);
    void appendResult(const QString& words, const QString& translation);
    void LearnUnknownWords();
    QString askForTranslation(const QString& word, const QString& typoOf);
    void LearnWord(int i, const QString& answer);

    TranslationView& m_view;
    SpeechControl& m_hlas2;
    TranslationQuestion& m_question;
    FileWriter& m_writer;
    HeadIndex& m_heads;
    const BaseFormSource* m_baseForms;
    const FormLookup* m_forms;
    PhraseFinder* m_phrases;
    QString ResultText;
    QList<WordLookup> m_lookups;
    QStringList m_typoOf; // for Unknown(i), slot i - 1: what it may be a typo of, or empty
    bool m_otherLanguage = false;
    int m_notOffered = 0; // words without an entry past the last slot of Unknown
};
