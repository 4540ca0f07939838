// The Windows-1250 round trip: every byte survives a decode and an encode; a text the code
// page can hold survives an encode and a decode, and one it cannot hold is named.
#include "FuzzSupport.h"
#include "dictionary/Cp1250.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString decoded = Cp1250::decode(bytes);
    check(decoded.size() == bytes.size(), "one byte is one character");
    check(Cp1250::encode(decoded) == bytes, "bytes survive decode and encode");
    check(!Cp1250::firstUnencodable(decoded), "a decoded text can be stored");

    // The same input as UTF-16 code units, lone surrogates included.
    const QString text(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const auto bad = Cp1250::firstUnencodable(text);
    if (!bad) {
        check(Cp1250::decode(Cp1250::encode(text)) == text, "a storable text survives");
        return 0;
    }
    check(!bad->isEmpty() && bad->size() <= 2 && text.contains(*bad),
          "the character named is one of the text");
    check(!Cp1250::canEncode(bad->at(0)) || bad->size() == 2, "the character named cannot be held");
    return 0;
}
