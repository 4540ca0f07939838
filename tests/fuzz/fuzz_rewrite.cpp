// Learning's rewrite: for any file and any entry, either the new content keeps every line and
// every entry the translation pass found, and holds the entry where the next pass finds it,
// or the learning is refused with a reason.
//
// Input: one byte for the direction, the head word, a NUL, the translation, a NUL, then the
// file's bytes. Head and translation are UTF-8, so that characters Windows-1250 lacks occur.
#include "FuzzSupport.h"
#include "dictionary/EntryAppender.h"
#include "dictionary/LetterFile.h"
#include "support/RewriteInvariants.h"

#include <memory>

using namespace LetterFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    if (input.isEmpty())
        return 0;
    const QString dictExt = input[0] & 1 ? CzechToEnglish : EnglishToCzech;
    input = input.sliced(1);
    const qsizetype headEnd = input.indexOf('\0');
    if (headEnd < 0)
        return 0;
    const qsizetype translationEnd = input.indexOf('\0', headEnd + 1);
    if (translationEnd < 0)
        return 0;
    const Entry entry{QString::fromUtf8(input.first(headEnd)),
                      QString::fromUtf8(input.sliced(headEnd + 1, translationEnd - headEnd - 1))};
    if (entry.head.isEmpty())
        return 0; // the program never learns an empty word
    const QByteArrayView before = input.sliced(translationEnd + 1);

    static const auto buffer = std::make_unique<LineBuffer>();
    const Rewrite next = rewriteWith(before, dictExt, {entry}, QStringLiteral("x.dta"), *buffer);
    if (!next.whyNot.isEmpty()) {
        check(next.content.isEmpty() && next.added == 0, "a refusal writes nothing");
        return 0;
    }
    check(next.added == 1, "the entry is added");
    const QByteArray& after = next.content;
    check(rewriteProblem(before, after, dictExt, {entry}).isEmpty(),
          "every line is kept, the entry sits before the terminator, and every entry the "
          "lookup found before it finds after it, and the new one");
    return 0;
}
