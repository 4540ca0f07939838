// The article cleaner: any head and article text give meanings that fit one translation
// line: not empty, one line, no blanks at either end.
//
// Input: the index head, a NUL, then the article's text (UTF-8).
#include "ArticleParser.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QString head = QString::fromUtf8(split < 0 ? input : input.first(split));
    const QString body = split < 0 ? QString() : QString::fromUtf8(input.sliced(split + 1));

    const Import::ParsedArticle article = Import::parseArticle(head, body);
    for (const Import::Sense& sense : article.senses) {
        check(!sense.core.isEmpty() && !sense.text.isEmpty(), "a meaning is not empty");
        for (const QString& text : {sense.text, sense.core}) {
            check(!text.contains(u'\n') && !text.contains(u'\r'), "a meaning is one line");
            check(text == text.trimmed(), "a meaning has no blanks at either end");
        }
    }
    return 0;
}
