#pragma once

#include <QString>
#include <array>
#include <optional>

// The state that all windows share. None of it is saved: it lives from start-up to exit
// and starts empty in every run. Tables keep their 1-based index ranges; slot 0 of
// Words and Unknown is never used.
namespace Module1
{

inline constexpr int MaxWords = 1024;   // words of one sentence
inline constexpr int MaxUnknown = 256;  // words without an entry in one translation pass
inline constexpr int LineSlots = 65536; // lines of a letter file that learning extends

extern QString DataPath; // directory of the letter files, always ends with the separator
extern QString DictExt;  // ".dta" English to Czech, ".cze" Czech to English
extern std::array<QString, MaxWords + 1> Words;     // 1..1024
extern qint16 UnknownCount;                         // filled entries of Unknown
extern std::array<QString, MaxUnknown + 1> Unknown; // 1..256
extern std::array<QString, LineSlots> Lines;        // 0..65535
extern std::optional<qint16> BrowseIndex;           // list index of the browse direction box

// Puts every variable back to its start value (a fresh run; used by tests).
void resetAll();

} // namespace Module1
