#pragma once

#include "dictionary/Cp1250.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Test texts are written in UTF-8.
inline QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

inline QStringList lines(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* line : list)
        out.append(u(line));
    return out;
}

// A fresh data directory for one test, with helpers that speak in letter-file bytes.
class TempDataDir
{
  public:
    TempDataDir() { dir.setAutoRemove(true); }

    // The directory as a DataPath prefix: ends with the separator.
    QString path() const { return dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }

    // Writes lines (given as Unicode text) as Windows-1250 with CR LF after each.
    void writeLines(const QString& name, const QStringList& lines) const
    {
        writeBytes(name, crlf(lines));
    }

    void writeBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile out(file(name));
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }

    QByteArray bytes(const QString& name) const
    {
        QFile in(file(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    bool exists(const QString& name) const { return QFile::exists(file(name)); }

    static QByteArray crlf(const QStringList& lines)
    {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += Cp1250::encode(line) + "\r\n";
        return bytes;
    }

    QTemporaryDir dir;
};
