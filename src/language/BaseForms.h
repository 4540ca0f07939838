#pragma once

#include "language/BaseFormSource.h"

#include <array>
#include <future>
#include <memory>
#include <mutex>

class LanguageAnalyser;

// The program's base forms: for each language Hunspell's stems of the word (cs_CZ, en_US)
// together with the language's own analyser (CzechEndings, EnglishForms), tried in stages
// from the surest: the irregular tables and the endings that leave no doubt (-ého, -ovat's
// forms), then Hunspell's stems, then every other guess. The first stage that yields a head
// word gives the answer. Hunspell's Czech
// dictionary takes a noticeable moment and some 30 MB to read, so a language is read on a
// thread of its own when it is first prepared or first asked for; until then it has no base
// forms. A language whose Hunspell dictionary is missing has none at all, and says so once
// on stderr. Asked from one thread at a time.
class BaseForms final : public BaseFormSource
{
  public:
    static QString defaultDirectory() { return QStringLiteral("/usr/share/hunspell/"); }

    // The directory holds cs_CZ.aff, cs_CZ.dic, en_US.aff and en_US.dic.
    explicit BaseForms(QString hunspellDirectory = defaultDirectory());
    ~BaseForms() override;

    // Starts reading the language's dictionary unless that has started already; returns at once.
    void prepare(Language language) override;
    // Waits until the language is read; whether it has base forms. For tools and tests.
    bool waitUntilReady(Language language);

    QStringList baseFormsOf(const QString& loweredWord, Language language,
                            const IsHeadWord& isHeadWord) const override;

  private:
    using Loading = std::shared_future<std::shared_ptr<LanguageAnalyser>>;
    Loading& loading(Language language) const;
    Loading start(Language language) const;

    QString m_directory;
    mutable std::mutex m_mutex;
    mutable std::array<Loading, 2> m_loading;
};
