#include "window_look/picture_box.h"

#include "window_look/first_show.h"
#include "window_look/jpeg_image.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>

namespace {

QImage LoadPicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeJpeg(file.readAll());
}

} // namespace

void ShowPictureWhenShown(QLabel *box, const QString &name)
{
    if (box->isVisible())
        ShowPicture(box, name);
    else
        AtFirstShow(box, [box, name] { ShowPicture(box, name); });
}

void ShowPicture(QLabel *box, const QString &name)
{
    const QString base = QStringLiteral(":/pictures/") + name;
    QImage image;
    if (box->devicePixelRatioF() > 1) {
        image = LoadPicture(base + QStringLiteral("@2x.jpg"));
        image.setDevicePixelRatio(2);
    }
    if (image.isNull())
        image = LoadPicture(base + QStringLiteral(".jpg"));
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setScaledContents(false);
    box->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}
