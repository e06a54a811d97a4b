#include "report/schematic.h"

#include "window/jpeg_image.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

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

} // namespace

QByteArray SchematicSvg(const QLabel *picture)
{
    return ReadResource(QStringLiteral(":/pictures/svg/") + PictureName(picture) + QStringLiteral(".svg"));
}

QSize SchematicSize(const QLabel *picture)
{
    const QSvgRenderer svg(SchematicSvg(picture));
    return svg.isValid() ? svg.defaultSize() : picture->size();
}

QImage SchematicImage(const QLabel *picture)
{
    QSvgRenderer svg(SchematicSvg(picture));
    if (!svg.isValid()) {
        // The screen's twice-as-large rendering is the sharpest there is.
        const QString base = QStringLiteral(":/pictures/") + PictureName(picture);
        const QImage image = DecodeJpeg(ReadResource(base + QStringLiteral("@2x.jpg")));
        return image.isNull() ? DecodeJpeg(ReadResource(base + QStringLiteral(".jpg"))) : image;
    }
    constexpr qreal kScreenDpi = 96;
    QImage image(svg.defaultSize() * (kPrintDpi / kScreenDpi), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(kPrintDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kPrintDpi / 0.0254));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    return image;
}
