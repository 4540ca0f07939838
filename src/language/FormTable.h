#pragma once

#include "language/FormLookup.h"
#include "language/FormTableFormat.h"

#include <QFile>
#include <QStringList>
#include <functional>
#include <memory>

// The word-form table of the dictionary's head words (made at build time from Hunspell's
// affix expansion, see tools/forms), read from its file as it is mapped into memory: opening
// reads nothing but the header, and a lookup touches only the pages it searches. Forms are
// found by their folded spelling, so the words typed without diacritics come for free.
class FormTable final : public FormLookup
{
  public:
    // nullptr, with the reason in whyNot, when the file is missing or is not a whole table.
    static std::shared_ptr<FormTable> open(const QString& path, QString* whyNot = nullptr);
    // Where the program looks for its table: beside itself, then where it is installed.
    static QStringList installedFiles();
    // The first of installedFiles() that opens; nullptr, with a warning, when none does.
    static std::shared_ptr<FormTable> openInstalled();

    // One form of the table and the base form it belongs to.
    struct Form {
        QString form;
        QString base;
        FormTableFormat::Kind kind;
        quint32 weight;
    };
    // The forms whose folded spelling is `folded`.
    QList<Form> formsFolded(Language language, const QString& folded) const;
    // The forms spelt exactly `loweredWord`.
    QList<Form> formsOf(Language language, const QString& loweredWord) const;
    // Whether the spelling dictionary the table was made from knows the word, given its
    // forms (formsOf): as one of a head word's inflected forms or as it is.
    bool knows(Language language, const QString& loweredWord, const QList<Form>& forms) const;
    // Calls found(key, edits) for each folded spelling of the table that is at most maxEdits
    // edits (insertions, deletions, substitutions, swaps of neighbours) from `folded`.
    void forEachNear(Language language, const QString& folded, int maxEdits,
                     const std::function<void(quint32 key, int edits)>& found) const;

    QList<FormMatch> folded(const QString& loweredWord, Language language,
                            int limit) const override;
    QList<FormMatch> near(const QString& loweredWord, Language language, int limit) const override;
    bool isWord(const QString& loweredWord, Language language) const override;

    // The size of the mapped file.
    qint64 size() const { return m_size; }

  private:
    FormTable() = default;
    bool load(const QString& path, QString* whyNot);
    const FormTableFormat::Section& section(Language language) const;
    const char* text(const FormTableFormat::Section& section, quint32 offset) const;
    const char* keyText(const FormTableFormat::Section& section, quint32 key) const;
    QList<Form> formsOfKey(const FormTableFormat::Section& section, quint32 key) const;
    // The key spelt `utf8`, or keyCount when there is none.
    quint32 findKey(const FormTableFormat::Section& section, const QByteArray& utf8) const;
    // The best `limit` head words among scored candidates.
    QList<FormMatch> best(QList<std::pair<FormMatch, Form>> candidates, int limit) const;

    std::unique_ptr<QFile> m_file;
    const uchar* m_data = nullptr;
    qint64 m_size = 0;
};
