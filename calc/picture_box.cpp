#include "calc/picture_box.h"

#include "calc/jpeg_image.h"

#include <QEvent>
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

class PictureOnFirstShow : public QObject
{
public:
    PictureOnFirstShow(QLabel *box, const QString &name) : QObject(box), name_(name) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            ShowPicture(static_cast<QLabel *>(watched), name_);
            deleteLater();
        }
        return false;
    }

private:
    QString name_;
};

} // namespace

void ShowPictureWhenShown(QLabel *box, const QString &name)
{
    if (box->isVisible())
        ShowPicture(box, name);
    else
        new PictureOnFirstShow(box, name);
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
