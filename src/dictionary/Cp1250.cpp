#include "dictionary/Cp1250.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace
{

struct CodePage {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    CodePage()
    {
        // Qt decodes one byte at a time; a byte it cannot map keeps its own number.
        for (int byte = 0; byte < 256; ++byte) {
            QStringDecoder decoder("windows-1250");
            const char raw = static_cast<char>(byte);
            const QString decoded = decoder(QByteArrayView(&raw, 1));
            char16_t unit = static_cast<char16_t>(byte);
            if (decoded.size() == 1 && !decoder.hasError() &&
                decoded.at(0) != QChar::ReplacementCharacter)
                unit = decoded.at(0).unicode();
            toUnicode[byte] = unit;
            fromUnicode.insert(unit, raw);
        }
    }
};

const CodePage& codePage()
{
    static const CodePage table;
    return table;
}

} // namespace

namespace Cp1250
{

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    decodeInto(bytes, text.data());
    return text;
}

QChar* decodeInto(QByteArrayView bytes, QChar* out)
{
    const auto& table = codePage().toUnicode;
    for (const char byte : bytes)
        *out++ = QChar(table[static_cast<unsigned char>(byte)]);
    return out;
}

bool canEncode(QChar c)
{
    return codePage().fromUnicode.contains(c.unicode());
}

std::optional<QString> firstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (canEncode(text[i]))
            continue;
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        return text.mid(i, pair ? 2 : 1).toString();
    }
    return std::nullopt;
}

QByteArray encode(QStringView text)
{
    const auto& table = codePage().fromUnicode;
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = table.value(text[i].unicode(), '?');
    return bytes;
}

} // namespace Cp1250
