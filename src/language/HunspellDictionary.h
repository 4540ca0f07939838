#pragma once

#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

class Hunspell;

// One Hunspell spelling dictionary (an .aff and a .dic file), asked for the stems of words.
// Hunspell works on bytes in the dictionary's own encoding (its SET line: UTF-8 for Debian's
// dictionaries today, ISO-8859-2 for older Czech ones); words are converted both ways here.
// Not thread-safe: one thread at a time.
class HunspellDictionary
{
  public:
    // nullptr, with the reason in whyNot, when a file is missing or the encoding is unknown.
    static std::unique_ptr<HunspellDictionary> open(const QString& affPath, const QString& dicPath,
                                                    QString* whyNot = nullptr);
    ~HunspellDictionary();

    struct Stem {
        QString word;
        QStringList suffixFlags; // the suffix classes Hunspell stripped to reach the stem
        // Hunspell took a prefix off too. Its prefixes change the meaning (Czech "ne-",
        // English "un-", "re-"): such a stem is not a base form of the word.
        bool prefixed = false;
    };

    // The stems of a word, one per analysis: a word the dictionary holds as it is has itself
    // as a stem, a word it does not know has none.
    QList<Stem> stems(const QString& word);
    // Whether the dictionary knows the word: as fast as a spelling check, faster than stems().
    bool knows(const QString& word);

  private:
    HunspellDictionary(std::unique_ptr<Hunspell> hunspell, const QString& encodingName);
    std::optional<std::string> toDictionary(const QString& text);
    QString fromDictionary(const std::string& bytes);

    std::unique_ptr<Hunspell> m_hunspell;
    QStringEncoder m_encoder;
    QStringDecoder m_decoder;
};
