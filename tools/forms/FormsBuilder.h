#pragma once

#include "dictionary/LetterFile.h"
#include "language/BaseFormSource.h"
#include "language/FormTableWriter.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Makes the word-form table of an imported dictionary: for each language the head words of
// its direction, and the forms Hunspell's affix expansion (unmunch) gives the words of the
// language's spelling dictionary whose base form is a head word. Hunspell's prefixes are left
// out (they negate: ne-, nej-), and so are the English suffixes that make another word (-ion,
// -ness, -er): only -s, -ed, -ing and -est inflect.
class FormsBuilder
{
  public:
    struct Source {
        Language language;
        QString dictExt;      // the direction whose head words are the language's
        QString otherDictExt; // the direction whose translations say how common a word is
        QString hunspellName; // cs_CZ, en_US
    };
    static QList<Source> sources();

    FormsBuilder(QString dictionaryDir, QString hunspellDir, QString unmunch)
        : m_dictionaryDir(std::move(dictionaryDir)), m_hunspellDir(std::move(hunspellDir)),
          m_unmunch(std::move(unmunch))
    {
    }

    // Adds one language; false, with the reason in whyNot, when a source cannot be read.
    bool add(const Source& source, FormTableWriter& writer, QString* whyNot);

  private:
    void forEachEntry(const QString& dictExt,
                      const std::function<void(const LetterFile::Entry&)>& use) const;
    // The lowered head words of a direction, each with how many entries it has.
    QHash<QString, int> headWords(const QString& dictExt) const;
    // How often each lowered word occurs in the translations of a direction.
    QHash<QString, int> wordCounts(const QString& dictExt) const;
    // The expansion of each root, by unmunch: the root first, then its forms.
    std::optional<QList<QStringList>> expand(const QStringList& dicLines, const QString& affPath,
                                             Language language, QString* whyNot) const;

    QString m_dictionaryDir;
    QString m_hunspellDir;
    QString m_unmunch;
};
