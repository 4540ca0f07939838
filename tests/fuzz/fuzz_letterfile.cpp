// The letter-file reader: file bytes cut into lines, their terminator found and their entries
// listed, for any bytes.
#include "FuzzSupport.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "support/RewriteInvariants.h"

using namespace LetterFile;

namespace
{

void terminatorAndEntries(QByteArrayView bytes, const QList<QByteArrayView>& lines,
                          const QStringList& decoded, const QString& dictExt)
{
    const qsizetype end = terminatorLine(decoded, dictExt);
    check(end == terminatorLine(lines, dictExt), "bytes and text find the same terminator");
    check(end == lines.size() || (end % 2 == 0 && readsEnd(lines[end])),
          "the terminator is a head line reading \"end\", or there is none");
    for (qsizetype i = 0; i < end; i += 2) {
        check(lines[i] != QByteArrayView("End"), "no entry follows a head line \"End\"");
        check(dictExt != CzechToEnglish || lines[i] != QByteArrayView("end"),
              "no entry follows a head line \"end\" in a Czech-to-English file");
    }
    if (end < lines.size())
        check(isTerminator(decoded, end, dictExt), "isTerminator agrees");

    const Entries listed = readEntries(bytes, dictExt);
    check(listed.incomplete == (end % 2 == 1), "a head line without translation is noticed");
    check(listed.entries.size() == end / 2, "every pair before the terminator is listed");
    for (qsizetype e = 0; e < listed.entries.size(); ++e) {
        check(listed.entries[e].head == decoded[2 * e] &&
                  listed.entries[e].translation == decoded[2 * e + 1],
              "entries are the pairs in file order");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArrayView> lines = referenceLines(bytes);

    LineReader reader(bytes);
    QByteArrayView line;
    qsizetype count = 0;
    while (reader.next(line)) {
        check(count < lines.size() && line == lines[count], "LineReader cuts lines as defined");
        check(line.data() == lines[count].data(), "LineReader hands out the file's own bytes");
        ++count;
    }
    check(count == lines.size(), "LineReader finds every line");

    const QStringList decoded = splitLines(bytes);
    check(decoded.size() == lines.size(), "splitLines finds every line");
    check(splitLines(joinLines(decoded)) == decoded, "lines survive being written back");

    terminatorAndEntries(bytes, lines, decoded, EnglishToCzech);
    terminatorAndEntries(bytes, lines, decoded, CzechToEnglish);
    return 0;
}
