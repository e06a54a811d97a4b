#include "window_look/jpeg_image.h"

#include "program_libraries/program_library.h"

QImage DecodeJpeg(const QByteArray &data)
{
    // libjpeg comes with the first picture, in ortix-t-jpeg.so: the main menu, which shows none, loads no decoder.
    using Decode = bool(const QByteArray &, QImage *);
    static Decode *const decode = [] {
        Decode *found = nullptr;
        LoadProgramLibrary(ORTIX_JPEG_FROM_PROGRAM, ORTIX_JPEG_BUILT, std::pair{"DecodeJpegInto", &found});
        return found;
    }();
    QImage image;
    if (!decode || !decode(data, &image))
        return {};
    return image;
}
