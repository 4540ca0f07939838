#pragma once

#include <QByteArrayList>
#include <QString>

namespace speech
{

// What the English voices are given for a text: plain ASCII (Czech letters lose their
// accents and are read like their base letters, typographic quotes and dashes become their
// ASCII forms, other characters become blanks), cut into pieces of at most a sentence, each
// short enough that its first sound comes quickly. Pieces with nothing but blanks are left
// out, so a blank text gives none.
QByteArrayList utterancePieces(const QString& text);

} // namespace speech
