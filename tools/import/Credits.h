#pragma once

#include "Dictd.h"

#include <QString>
#include <QStringList>
#include <optional>

class FileWriter;

// The file beside the letter files that credits the dictionaries they were made from: their
// names, authors and licences, as each source states them. Its name is not one character
// and .dta or .cze, so no reader of letter files ever takes it for one.
namespace Import
{

inline const QString CreditsFileName = QStringLiteral("ZDROJE.txt");

// The part of the credits file for one source dictionary.
QString creditsSection(const Dictd::Dictionary& dictionary);

// Adds to the credits file in `directory` the sections it does not hold yet, keeping what it
// holds (an import adds to a folder, it never takes away). UTF-8 text. std::nullopt when
// done, otherwise why not.
std::optional<QString> addCredits(const QString& directory, const QStringList& sections,
                                  FileWriter& writer);

} // namespace Import
