#include "dictionary/ByteCase.h"

#include "dictionary/Cp1250.h"

#include <QString>
#include <array>

namespace LetterFile
{

namespace
{

// What each byte of a letter file lowers to, taken from the decoder and QString::toLower
// themselves. Qt lowers every character on its own, whatever stands around it, so a lowered
// line is the lowered forms of its bytes one after another (in Windows-1250 each is one
// character, but nothing here relies on that).
struct LoweredBytes {
    std::array<QString, 256> text;
    std::array<bool, 256> single{};
    std::array<char16_t, 256> unit{};

    LoweredBytes()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = static_cast<char>(byte);
            text[byte] = Cp1250::decode(QByteArrayView(&raw, 1)).toLower();
            single[byte] = text[byte].size() == 1;
            unit[byte] = single[byte] ? text[byte].at(0).unicode() : 0;
        }
    }
};

const LoweredBytes& loweredBytes()
{
    static const LoweredBytes table;
    return table;
}

// FNV-1a over UTF-16 code units, then mixed so that both halves of the result are usable.
constexpr quint64 HashSeed = 0xcbf29ce484222325ULL;

constexpr quint64 hashStep(quint64 hash, char16_t unit)
{
    return (hash ^ unit) * 0x100000001b3ULL;
}

constexpr quint64 mixed(quint64 hash)
{
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    return hash;
}

} // namespace

quint64 loweredHash(QByteArrayView line)
{
    const LoweredBytes& lowered = loweredBytes();
    quint64 hash = HashSeed;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (lowered.single[byte]) {
            hash = hashStep(hash, lowered.unit[byte]);
            continue;
        }
        for (const QChar unit : lowered.text[byte])
            hash = hashStep(hash, unit.unicode());
    }
    return mixed(hash);
}

quint64 loweredHash(QStringView word)
{
    quint64 hash = HashSeed;
    for (const QChar unit : word)
        hash = hashStep(hash, unit.unicode());
    return mixed(hash);
}

bool lowersTo(QByteArrayView line, QStringView word)
{
    const LoweredBytes& lowered = loweredBytes();
    qsizetype pos = 0;
    for (const char c : line) {
        const QString& text = lowered.text[static_cast<unsigned char>(c)];
        if (word.size() - pos < text.size() || word.sliced(pos, text.size()) != text)
            return false;
        pos += text.size();
    }
    return pos == word.size();
}

} // namespace LetterFile
