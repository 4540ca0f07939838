#pragma once

#include <QDataStream>
#include <QFile>
#include <QString>

#include <vector>

// 16-bit mono PCM in a RIFF/WAVE container, the one sound format every player knows.
inline bool writeWav(const QString& path, const std::vector<qint16>& samples, int sampleRate)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataBytes = quint32(samples.size() * sizeof(qint16));
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(sampleRate) << quint32(sampleRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (const qint16 sample : samples)
        out << sample;
    return out.status() == QDataStream::Ok && file.error() == QFileDevice::NoError;
}
