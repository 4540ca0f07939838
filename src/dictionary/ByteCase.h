#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <QtGlobal>

// Letter-case rules on the Windows-1250 bytes of letter files, taken per byte from the decoder
// and QString itself, so that a line is compared or hashed without decoding it first.
namespace LetterFile
{

// The hash of the lowered form of a head line, from its bytes.
quint64 loweredHash(QByteArrayView line);
// The same hash of a word that is lowered already.
quint64 loweredHash(QStringView word);
// Whether the lowered form of `line` is exactly `word`.
bool lowersTo(QByteArrayView line, QStringView word);

} // namespace LetterFile
