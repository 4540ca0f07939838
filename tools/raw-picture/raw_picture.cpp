// Build step: turns a picture of assets/ into the undecoded form the program reads at start
// (see src/ui/RawPicture.h).
//   slovnik-raw-picture <input picture> <output file>
#include "ui/RawPicture.h"

#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <input picture> <output file>\n", argv[0]);
        return 2;
    }
    const QImage picture(QFile::decodeName(argv[1]));
    if (picture.isNull()) {
        std::fprintf(stderr, "%s: cannot read the picture %s\n", argv[0], argv[1]);
        return 1;
    }
    QFile out(QFile::decodeName(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(RawPicture::encode(picture)) < 0 ||
        !out.flush()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
