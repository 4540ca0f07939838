#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Reading dictionaries in the dictd format: an index of "head TAB offset TAB length" lines,
// the numbers written in base 64, pointing into a data file of UTF-8 articles that is plain
// (.dict) or compressed with dictzip (.dict.dz, a gzip file readable as a whole).
namespace Dictd
{

// A base-64 number of the index ("A" is 0, "/" is 63, most significant digit first);
// std::nullopt for an empty number, a character outside the alphabet or an overflow.
std::optional<quint64> decodeNumber(QStringView digits);

struct IndexEntry {
    QString head;
    quint64 offset = 0;
    quint64 length = 0;
};

// The entries of an index in file order. Fails on the first line that is not
// "head TAB offset TAB length" (a fourth column, the head's original spelling, is used as
// the head when present); `error` then names the line.
std::optional<QList<IndexEntry>> parseIndex(QByteArrayView index, QString* error);

// The whole data file, decompressed when it is gzip or dictzip.
std::optional<QByteArray> readData(const QString& path, QString* error);

// Decompresses gzip data (every member of it; dictzip's flushed chunks included).
std::optional<QByteArray> gunzip(QByteArrayView compressed, QString* error);

struct Article {
    QString head; // as in the index
    QString body; // the article text, its headword line included
};

struct Dictionary {
    QString name;            // the dictionary's short description, or the file name
    QList<Article> articles; // in index order, without the "00database" entries
    QString info;            // the "00-database-info" text: authors, licence, sources
    QString indexPath;
    QString dataPath;
};

// Loads a dictionary given as the path of its index, of its data file, or of either without
// its extension. The data file is NAME.dict.dz or NAME.dict. Refused, with a reason naming
// the file: a missing or unreadable file (every name tried is named), an index without any
// article, a data file that the index does not cover whole (an index cut short), a
// NAME.dict.dz that is not compressed, compressed data that is damaged.
std::optional<Dictionary> load(const QString& path, QString* error);

} // namespace Dictd
