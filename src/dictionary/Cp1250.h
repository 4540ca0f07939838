#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The Windows-1250 code page of the letter files. One byte is always one character:
// the five bytes the code page leaves undefined decode to the C1 control characters of
// the same number and encode back to the same byte, so any file survives a read and a
// rewrite unchanged.
namespace Cp1250
{

QString decode(QByteArrayView bytes);
// Decodes `bytes` from `out` on (one character each) and returns where they end.
QChar* decodeInto(QByteArrayView bytes, QChar* out);

// The first character of `text` that the code page cannot hold, if any (a whole
// character: both halves of a surrogate pair).
std::optional<QString> firstUnencodable(QStringView text);

// Encodes `text`; characters the code page cannot hold must have been ruled out with
// firstUnencodable() first (they would be written as '?').
QByteArray encode(QStringView text);

bool canEncode(QChar c);

} // namespace Cp1250
