// Build tool: a PNG's pixels as the raw premultiplied ARGB32 rows that a QImage holds, which start-up copies
// into the window icon without an image decoder.
//
//   icon_pixels IN.png OUT
#include "files/save_file.h"

#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "вызов: icon_pixels ВХОД.png ВЫХОД\n");
        return 2;
    }
    const QImage image = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "icon_pixels: не удалось прочитать картинку «%s»\n", argv[1]);
        return 1;
    }
    QByteArray pixels;
    for (int y = 0; y < image.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
    const Outcome<> saved = SaveFile(QString::fromLocal8Bit(argv[2]), pixels);
    if (!saved) {
        std::fprintf(stderr, "icon_pixels: %s\n", qPrintable(saved.Message()));
        return 1;
    }
    return 0;
}
