#include "calc/designed_window.h"

#include "calc/control_kinds.h"
#include "calc/fonts.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Places the window, frame included, in the middle of its screen's available area.
void CentreOnDesktop(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    QSize outer = window->size() + kDesignedFrame;
    // A window larger than the desktop would put its title bar out of reach; a sizeable one shrinks
    // to the desktop and scrolls, and none is placed above or left of it.
    if (window->minimumSize() != window->maximumSize()) {
        outer = outer.boundedTo(desktop.size());
        window->resize(outer - kDesignedFrame);
    }
    const QPoint centred = desktop.center() - QPoint(outer.width() / 2, outer.height() / 2);
    window->move(std::max(centred.x(), desktop.left()), std::max(centred.y(), desktop.top()));
}

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

// Centres the window when it is first shown; later shows leave it where the user put it.
void CentreOnFirstShow(QWidget *window)
{
    window->installEventFilter(new FirstShowCentring(window));
}

} // namespace

void BringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void SetUpDesignedWindow(QWidget *window, const QColor &colour)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setFont(DesignedFont("Tahoma", 10));
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, colour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->resize(window->size() - kDesignedFrame);
    ApplyControlKinds(window);
    CentreOnFirstShow(window);
}
