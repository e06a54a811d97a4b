#include "calc/window_placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace {

class FirstShowCentring : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            CentreOnDesktop(static_cast<QWidget *>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void FitDesignedOuterSize(QWidget *window)
{
    window->resize(window->size() - kDesignedFrame);
}

void CentreOnDesktop(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QSize outer = window->size() + kDesignedFrame;
    const QRect desktop = screen->availableGeometry();
    window->move(desktop.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void CentreOnFirstShow(QWidget *window)
{
    window->installEventFilter(new FirstShowCentring(window));
}

void BringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
