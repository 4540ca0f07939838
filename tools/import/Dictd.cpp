#include "Dictd.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <zlib.h>

namespace Dictd
{

namespace
{

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 'A' && u <= 'Z')
        return u - 'A';
    if (u >= 'a' && u <= 'z')
        return u - 'a' + 26;
    if (u >= '0' && u <= '9')
        return u - '0' + 52;
    if (u == '+')
        return 62;
    if (u == '/')
        return 63;
    return -1;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool isMetadata(const QString& head)
{
    return head.startsWith(QLatin1String("00database")) ||
           head.startsWith(QLatin1String("00-database"));
}

std::optional<QByteArray> readWholeFile(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        setError(error, QStringLiteral("%1 je složka, ne soubor").arg(path));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, info.exists() && !info.isReadable()
                            ? QStringLiteral("soubor %1 nelze číst: chybí oprávnění").arg(path)
                            : QStringLiteral("soubor %1 nelze otevřít").arg(path));
        return std::nullopt;
    }
    return file.readAll();
}

// Says which of the files a dictionary needs are missing: the index, and the data file
// under either of its two names.
std::optional<QString> whyMissing(const QString& indexPath, const QString& zipped,
                                  const QString& plain)
{
    const bool noIndex = !QFileInfo::exists(indexPath);
    const bool noData = !QFileInfo::exists(zipped) && !QFileInfo::exists(plain);
    const QString data =
        QStringLiteral("chybí data slovníku: neexistuje %1 ani %2").arg(zipped, plain);
    if (noIndex && noData)
        return QStringLiteral("soubor %1 neexistuje a %2").arg(indexPath, data);
    if (noIndex)
        return QStringLiteral("soubor %1 neexistuje").arg(indexPath);
    if (noData)
        return data;
    return std::nullopt;
}

// The start and the size of the data that no entry of the index points to, ignoring blanks
// between articles: an index cut short leaves the articles of its lost lines there.
std::optional<std::pair<quint64, quint64>> uncoveredData(const QList<IndexEntry>& entries,
                                                         QByteArrayView data)
{
    QList<std::pair<quint64, quint64>> spans;
    spans.reserve(entries.size());
    for (const IndexEntry& entry : entries)
        spans.append({entry.offset, entry.offset + entry.length});
    std::sort(spans.begin(), spans.end());
    spans.append({static_cast<quint64>(data.size()), static_cast<quint64>(data.size())});
    std::optional<quint64> first;
    quint64 uncovered = 0;
    quint64 pos = 0;
    for (const auto& [begin, end] : spans) {
        for (; pos < begin; ++pos) {
            const char byte = data[static_cast<qsizetype>(pos)];
            if (!(byte == ' ' || (byte >= '\t' && byte <= '\r'))) {
                first = first.value_or(pos);
                ++uncovered;
            }
        }
        pos = std::max(pos, end);
    }
    if (!first)
        return std::nullopt;
    return std::pair{*first, uncovered};
}

// NAME from NAME, NAME.index, NAME.dict or NAME.dict.dz.
QString basePath(const QString& path)
{
    for (const char* ext : {".index", ".dict.dz", ".dict"}) {
        if (path.endsWith(QLatin1String(ext)))
            return path.chopped(static_cast<qsizetype>(qstrlen(ext)));
    }
    return path;
}

} // namespace

std::optional<quint64> decodeNumber(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : digits) {
        const int d = digitValue(c);
        if (d < 0 || value > (std::numeric_limits<quint64>::max() >> 6))
            return std::nullopt;
        value = value * 64 + static_cast<quint64>(d);
    }
    return value;
}

std::optional<QList<IndexEntry>> parseIndex(QByteArrayView index, QString* error)
{
    QList<IndexEntry> entries;
    const QString text = QString::fromUtf8(index);
    qsizetype lineNumber = 0;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QList<QStringView> fields = line.split(QLatin1Char('\t'));
        const auto offset = fields.size() >= 3 ? decodeNumber(fields[1]) : std::nullopt;
        const auto length = fields.size() >= 3 ? decodeNumber(fields[2]) : std::nullopt;
        if (fields.size() > 4 || !offset || !length) {
            setError(error, QStringLiteral("chybný řádek %1 indexu: %2").arg(lineNumber).arg(line));
            return std::nullopt;
        }
        const QStringView head = fields.size() == 4 && !fields[3].isEmpty() ? fields[3] : fields[0];
        entries.append({head.toString(), *offset, *length});
    }
    return entries;
}

std::optional<QByteArray> gunzip(QByteArrayView compressed, QString* error)
{
    z_stream stream{};
    // 16 + MAX_WBITS: a gzip wrapper, whose header (dictzip's chunk table included) zlib skips.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        setError(error, QStringLiteral("rozbalování dat nelze připravit"));
        return std::nullopt;
    }
    QByteArray out;
    char buffer[1 << 16];
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    int status = Z_OK;
    while (true) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - stream.avail_out));
        if (status == Z_STREAM_END) {
            // Another gzip member may follow; trailing zero padding ends the data.
            if (stream.avail_in == 0 || *stream.next_in == 0)
                break;
            inflateReset(&stream);
            continue;
        }
        if (status != Z_OK || (stream.avail_in == 0 && stream.avail_out != 0)) {
            if (status == Z_OK || status == Z_BUF_ERROR)
                status = Z_DATA_ERROR; // the input ended inside a member
            break;
        }
    }
    const bool cut = stream.avail_in == 0;
    inflateEnd(&stream);
    if (status != Z_STREAM_END) {
        setError(error, status == Z_MEM_ERROR ? QStringLiteral("na rozbalení dat není dost paměti")
                        : cut ? QStringLiteral("komprimovaná data končí předčasně")
                              : QStringLiteral("komprimovaná data jsou poškozená"));
        return std::nullopt;
    }
    return out;
}

std::optional<QByteArray> readData(const QString& path, QString* error)
{
    auto bytes = readWholeFile(path, error);
    if (!bytes)
        return std::nullopt;
    const bool compressed = bytes->startsWith("\x1f\x8b");
    if (!compressed && path.endsWith(QLatin1String(".dz"))) {
        setError(error, QStringLiteral("soubor %1 není komprimovaný formátem dictzip").arg(path));
        return std::nullopt;
    }
    if (!compressed)
        return bytes;
    QString why;
    auto data = gunzip(*bytes, &why);
    if (!data)
        setError(error, QStringLiteral("soubor %1 je poškozený: %2").arg(path, why));
    return data;
}

std::optional<Dictionary> load(const QString& path, QString* error)
{
    const QString base = basePath(path);
    Dictionary dictionary;
    dictionary.name = QFileInfo(base).fileName();
    dictionary.indexPath = base + QStringLiteral(".index");
    const QString zipped = base + QStringLiteral(".dict.dz");
    const QString plain = base + QStringLiteral(".dict");
    if (const auto missing = whyMissing(dictionary.indexPath, zipped, plain)) {
        setError(error, *missing);
        return std::nullopt;
    }
    dictionary.dataPath = QFileInfo::exists(zipped) ? zipped : plain;
    const auto index = readWholeFile(dictionary.indexPath, error);
    if (!index)
        return std::nullopt;
    const auto data = readData(dictionary.dataPath, error);
    if (!data)
        return std::nullopt;
    QString indexError;
    const auto entries = parseIndex(*index, &indexError);
    if (!entries) {
        setError(error, QStringLiteral("%1: %2").arg(dictionary.indexPath, indexError));
        return std::nullopt;
    }

    dictionary.articles.reserve(entries->size());
    const auto size = static_cast<quint64>(data->size());
    for (const IndexEntry& entry : *entries) {
        if (entry.offset > size || entry.length > size - entry.offset) {
            setError(error, QStringLiteral("%1: heslo „%2“ ukazuje za konec dat (%3 + %4 > %5)")
                                .arg(dictionary.dataPath, entry.head)
                                .arg(entry.offset)
                                .arg(entry.length)
                                .arg(size));
            return std::nullopt;
        }
        const QString body = QString::fromUtf8(QByteArrayView(*data).sliced(
            static_cast<qsizetype>(entry.offset), static_cast<qsizetype>(entry.length)));
        if (entry.head == QLatin1String("00databaseshort") ||
            entry.head == QLatin1String("00-database-short")) {
            // The first line is the headword line in some dictionaries; the last one is the name.
            const QStringList lines = body.trimmed().split(QLatin1Char('\n'));
            dictionary.name = lines.constLast().trimmed();
        }
        if (entry.head == QLatin1String("00databaseinfo") ||
            entry.head == QLatin1String("00-database-info")) {
            QString info = body.trimmed();
            if (info.startsWith(QLatin1String("00-database-info")) ||
                info.startsWith(QLatin1String("00databaseinfo")))
                info = info.section(QLatin1Char('\n'), 1).trimmed();
            dictionary.info = info;
        }
        if (isMetadata(entry.head))
            continue;
        dictionary.articles.append({entry.head, body});
    }
    if (dictionary.articles.isEmpty()) {
        setError(error,
                 QStringLiteral("soubor %1 neobsahuje žádné heslo").arg(dictionary.indexPath));
        return std::nullopt;
    }
    if (const auto lost = uncoveredData(*entries, *data)) {
        setError(error,
                 QStringLiteral("soubor %1 je neúplný (asi useknutý): na %2 bajtů souboru %3 "
                                "od bajtu %4 neukazuje žádné heslo")
                     .arg(dictionary.indexPath)
                     .arg(lost->second)
                     .arg(dictionary.dataPath)
                     .arg(lost->first));
        return std::nullopt;
    }
    return dictionary;
}

} // namespace Dictd
