#pragma once

#include <QByteArray>
#include <QImage>

#include <cstring>

// The pictures a window needs for its first paint are built into the program undecoded:
// a 16-byte header (the magic "SLRP", then width, height and QImage format as 32-bit
// numbers of the machine that built it) followed by the pixel rows, 4 bytes a pixel. Reading
// one costs no decoding (and no copy when the pixels lie aligned), where a JPEG or PNG
// costs the image plugins and a decoding.
namespace RawPicture
{

inline constexpr char Magic[4] = {'S', 'L', 'R', 'P'};
inline constexpr qsizetype HeaderSize = 16;

// Opaque pictures as RGB32, the rest as premultiplied ARGB32: the formats the screen takes
// without converting.
inline QByteArray encode(const QImage& picture)
{
    const QImage image = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const quint32 header[3] = {quint32(image.width()), quint32(image.height()),
                               quint32(image.format())};
    QByteArray bytes(Magic, sizeof Magic);
    bytes.append(reinterpret_cast<const char*>(header), sizeof header);
    for (int y = 0; y < image.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
    return bytes;
}

// A null image unless `data` holds a whole picture as encode() writes it. The image reads
// its pixels where they lie, without a copy, when they are aligned as QImage needs them:
// `data` must then outlive every copy of the image, as a built-in resource does. Otherwise
// the pixels are copied.
inline QImage decode(const uchar* data, qsizetype size)
{
    if (size < HeaderSize || std::memcmp(data, Magic, sizeof Magic) != 0)
        return {};
    quint32 header[3];
    std::memcpy(header, data + sizeof Magic, sizeof header);
    const auto format = QImage::Format(header[2]);
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
        header[0] == 0 || header[0] > 16384 || header[1] > 16384 ||
        size != HeaderSize + qsizetype(header[0]) * header[1] * 4)
        return {};
    const uchar* pixels = data + HeaderSize;
    const int width = int(header[0]);
    const int height = int(header[1]);
    if (quintptr(pixels) % alignof(quint32) == 0)
        return QImage(pixels, width, height, width * 4, format);
    QImage image(width, height, format);
    if (image.isNull())
        return {};
    for (int y = 0; y < height; ++y, pixels += width * 4)
        std::memcpy(image.scanLine(y), pixels, std::size_t(width) * 4);
    return image;
}

} // namespace RawPicture
