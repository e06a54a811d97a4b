#include "report/schematic.h"

#include "report/print_library.h"
#include "window_look/jpeg_image.h"

#include <QFile>
#include <QHash>
#include <QLabel>
#include <QPainter>

#include <mutex>

namespace {

QString PictureName(const QLabel *picture)
{
    return picture->window()->objectName() + QLatin1Char('_') + picture->objectName();
}

QByteArray ReadResource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A vector source's size at 96 pixels per inch; invalid where it has none that can be drawn.
QSize SvgSizeOf(const QByteArray &svg)
{
    return Printing().svgSize ? Printing().svgSize(svg) : QSize();
}

} // namespace

QByteArray SchematicSvg(const QLabel *picture)
{
    // Read and unpacked once: a batch's reports ask for the same few drawings again and again, from the thread
    // that writes the answer key too.
    static std::mutex mutex;
    static QHash<QString, QByteArray> read;
    const QString name = PictureName(picture);
    const std::lock_guard lock(mutex);
    if (const auto known = read.constFind(name); known != read.constEnd())
        return *known;
    return *read.insert(name, ReadResource(QStringLiteral(":/pictures/svg/") + name + QStringLiteral(".svg")));
}

QSize SchematicSize(const QLabel *picture)
{
    const QSize size = SvgSizeOf(SchematicSvg(picture));
    return size.isValid() ? size : picture->size();
}

QImage SchematicImage(const QLabel *picture)
{
    const QByteArray svg = SchematicSvg(picture);
    const QSize size = SvgSizeOf(svg);
    if (!size.isValid()) {
        // The screen's twice-as-large rendering is the sharpest there is.
        const QString base = QStringLiteral(":/pictures/") + PictureName(picture);
        const QImage image = DecodeJpeg(ReadResource(base + QStringLiteral("@2x.jpg")));
        return image.isNull() ? DecodeJpeg(ReadResource(base + QStringLiteral(".jpg"))) : image;
    }
    constexpr qreal kScreenDpi = 96;
    QImage image(size * (kPrintDpi / kScreenDpi), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(kPrintDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kPrintDpi / 0.0254));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Printing().renderSvg(svg, &painter, image.rect());
    return image;
}
