#include "window/designed_window.h"

#include "window_structure/accessible_names.h"
#include "window_look/control_kinds.h"
#include "window/edit_boxes.h"
#include "window_look/first_show.h"
#include "window_look/fonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The frame the window manager draws around the window, once it is known: not before mapping, and
// not on a desktop without window manager.
std::optional<QSize> DrawnFrame(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    if (!handle)
        return std::nullopt;
    const QMargins margins = handle->frameMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    if (frame.isNull())
        return std::nullopt;
    return frame;
}

void PlaceOnDesktop(QWidget *window, QSize frame)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const bool sizeable = window->minimumSize() != window->maximumSize();
    const QRect outer = PlaceFrame(screen->availableGeometry(), window->size() + frame, sizeable);
    window->resize(outer.size() - frame);
    // The platform window knows its frame even where the widget's own idea of it is still late.
    if (QWindow *handle = window->windowHandle())
        handle->setFramePosition(outer.topLeft());
    else
        window->move(outer.topLeft()); // a window's position is its frame's
}

// Centres the window when it is first shown, and once more when the window manager's frame becomes
// known: only some time after mapping, and with no event of its own. Later shows leave the window
// where the user put it.
class FramePlacement : public QObject
{
public:
    explicit FramePlacement(QWidget *window) : QObject(window), window_(window)
    {
        placedWith_ = DrawnFrame(window_).value_or(kDesignedFrame);
        PlaceOnDesktop(window_, placedWith_);
        frameCheck_.setInterval(kCheckInterval);
        connect(&frameCheck_, &QTimer::timeout, this, &FramePlacement::CheckFrame);
        frameCheck_.start();
    }

private:
    static constexpr int kCheckInterval = 20; // ms
    static constexpr int kMostChecks = 150;   // a desktop without window manager never tells a frame

    void CheckFrame()
    {
        const std::optional<QSize> frame = DrawnFrame(window_);
        if (!frame && ++checks_ < kMostChecks)
            return;
        frameCheck_.stop();
        if (frame && *frame != placedWith_)
            PlaceOnDesktop(window_, *frame);
        deleteLater();
    }

    QWidget *window_;
    QTimer frameCheck_;
    QSize placedWith_;
    int checks_ = 0;
};

// Keeps the designed colours when the desktop's palette changes: a designed background keeps the
// designed black texts on it, and a calculator's background follows the new button face.
class DesignedColours : public QObject
{
public:
    DesignedColours(QWidget *window, std::optional<QColor> designed) : QObject(window), designed_(designed)
    {
        Apply(window);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ApplicationPaletteChange)
            Apply(static_cast<QWidget *>(watched));
        return false;
    }

private:
    void Apply(QWidget *window) const
    {
        QPalette palette = window->palette();
        if (designed_) {
            palette.setColor(QPalette::Window, *designed_);
            palette.setColor(QPalette::WindowText, Qt::black);
        } else {
            palette.setColor(QPalette::Window, QApplication::palette(window).color(QPalette::Button));
        }
        window->setPalette(palette);
    }

    std::optional<QColor> designed_;
};

} // namespace

QRect PlaceFrame(const QRect &desktop, QSize frame, bool sizeable)
{
    // A frame larger than the desktop would put its title bar out of reach.
    if (sizeable)
        frame = frame.boundedTo(desktop.size());
    const QPoint centred = desktop.center() - QPoint(frame.width() / 2, frame.height() / 2);
    return QRect(QPoint(std::max(centred.x(), desktop.left()), std::max(centred.y(), desktop.top())), frame);
}

void BringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void SetUpDesignedWindow(QWidget *window, std::optional<QColor> designedColour)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setFont(DesignedFont("Tahoma", 10));
    new DesignedColours(window, designedColour);
    window->setAutoFillBackground(true);
    window->resize(window->size() - kDesignedFrame);
    // Labels take no input: a prompt's run of blanks lies under its edit box, which must get the clicks
    // wherever the stored layout lists the two.
    for (QLineEdit *edit : window->findChildren<QLineEdit *>())
        edit->raise();
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        button->raise();
    KeepEditBoxesReadable(window);
    // Fitting the controls' fonts to the installed ones measures every text: a hidden window has no
    // need of it, and start-up is the quicker for it.
    AtFirstShow(window, [window] {
        ApplyControlKinds(window);
        NameForScreenReaders(window);
    });
    AtFirstShow(window, [window] { new FramePlacement(window); });
}
