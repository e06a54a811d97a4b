#include "app/menu_bar_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QProxyStyle>

#include <functional>
#include <optional>

namespace {

// An icon read when it is first asked for.
class IconAtFirstUse : public QIconEngine
{
public:
    explicit IconAtFirstUse(std::function<QIcon()> read) : read_(std::move(read)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new IconAtFirstUse(*this); }

private:
    const QIcon &Icon()
    {
        if (!icon_)
            icon_ = read_();
        return *icon_;
    }

    std::function<QIcon()> read_;
    std::optional<QIcon> icon_;
};

class OverflowIconsAtFirstUse : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption *option, const QWidget *widget) const override
    {
        if (pixmap != SP_ToolBarHorizontalExtensionButton && pixmap != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(pixmap, option, widget);
        return QIcon(new IconAtFirstUse(
            [base = QPointer<QStyle>(baseStyle()), pixmap] { return base ? base->standardIcon(pixmap) : QIcon(); }));
    }
};

} // namespace

void UseStyleWithOverflowIconsAtFirstUse()
{
    // Made on the desktop's own style, or the one asked for by -style or QT_STYLE_OVERRIDE.
    QApplication::setStyle(new OverflowIconsAtFirstUse);
}
