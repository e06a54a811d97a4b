// The JPEG decoder, in a library of the program's own that the first picture loads (window_look/jpeg_image.cpp).
#include <QByteArray>
#include <QImage>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

[[noreturn]] void LeaveDecoding(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->escape, 1);
}

void IgnoreWarning(j_common_ptr) {}

// No C++ object lives in this frame across setjmp: libjpeg errors come back by longjmp.
bool DecodeInto(const QByteArray &data, QImage *image)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = LeaveDecoding;
    errors.base.output_message = IgnoreWarning;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    *image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

// Decodes baseline JPEG data into *image; false when the data is not a readable JPEG.
extern "C" Q_DECL_EXPORT bool DecodeJpegInto(const QByteArray &data, QImage *image)
{
    return !data.isEmpty() && DecodeInto(data, image);
}
