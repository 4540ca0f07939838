#pragma once

#include "language/BaseFormSource.h"
#include "language/FormTableFormat.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <array>
#include <optional>

// Collects forms and their base forms and writes them as a word-form table (the layout is in
// FormTableFormat.h). Each form and base pair is kept once, as its likeliest kind.
class FormTableWriter
{
  public:
    void add(Language language, const QString& form, const QString& base,
             FormTableFormat::Kind kind);
    // A word the language's spelling dictionary holds as it is.
    void addKnown(Language language, const QString& word);
    // The weight of a base form (how common the word is); 0 unless set.
    void setWeight(Language language, const QString& base, quint32 weight);

    qsizetype formCount(Language language) const;

    // Writes the table; false, with the reason in whyNot, when the file cannot be written.
    bool write(const QString& path, QString* whyNot = nullptr) const;

  private:
    struct Pairs {
        QHash<QString, quint32> bases;                    // base -> index
        QList<QString> baseTexts;                         // by index
        QList<quint32> weights;                           // by index
        QHash<std::pair<QString, quint32>, quint8> kinds; // (form, base) -> kind
        QSet<quint32> known;                              // hashes of the known words
    };
    quint32 baseIndex(Pairs& pairs, const QString& base);
    // Nothing when the section's keys are too many for its numbers.
    std::optional<QByteArray> section(const Pairs& pairs, quint32 start,
                                      FormTableFormat::Section& header) const;

    std::array<Pairs, 2> m_languages;
};
