#pragma once

#include <QByteArray>
#include <QImage>

// Decodes baseline JPEG data with libjpeg, loaded with the first picture; a null image when the data is not a
// readable JPEG.
QImage DecodeJpeg(const QByteArray &data);
