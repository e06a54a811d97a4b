#include "calc/designed_window.h"

#include "calc/accessible_names.h"
#include "calc/control_kinds.h"
#include "calc/fonts.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

// The frame the window manager draws around the window; the designed one while it is not known
// (before mapping, or on a screen without window manager).
QSize FrameOf(const QWidget *window)
{
    const QSize frame = window->frameGeometry().size() - window->size();
    return frame.isEmpty() ? kDesignedFrame : frame;
}

void PlaceOnDesktop(QWidget *window, QSize frame)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const bool sizeable = window->minimumSize() != window->maximumSize();
    const QRect outer = PlaceFrame(screen->availableGeometry(), window->size() + frame, sizeable);
    window->resize(outer.size() - frame);
    window->move(outer.topLeft()); // a widget's position is its frame's
}

// Centres the window when it is first shown, and once more when the window manager's real frame
// becomes known, which happens only after mapping; later shows leave it where the user put it.
class FirstShowPlacement : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        switch (event->type()) {
        case QEvent::Show:
            if (placedWith_.isEmpty()) {
                placedWith_ = FrameOf(window);
                PlaceOnDesktop(window, placedWith_);
                // A desktop without window manager never tells a frame.
                QTimer::singleShot(kFrameWait, this, [this, window] { Finish(window); });
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
        case QEvent::WindowActivate:
            if (!placedWith_.isEmpty() && window->frameGeometry().size() != window->size()) {
                if (FrameOf(window) != placedWith_)
                    PlaceOnDesktop(window, FrameOf(window));
                Finish(window);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    static constexpr int kFrameWait = 3000; // ms

    void Finish(QWidget *window)
    {
        window->removeEventFilter(this);
        deleteLater();
    }

    QSize placedWith_;
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

// A window's controls are first seen when it is shown: the window's font that they inherit, their own
// looks, their names for screen readers and the pictures are given just before that, at its first show,
// so that the windows that start hidden cost the start-up no more than their building.
class FinishOnFirstShow : public QObject
{
public:
    FinishOnFirstShow(QWidget *window, std::function<void()> finish) : QObject(window), finish_(std::move(finish))
    {
        window->installEventFilter(this);
    }

    static void Finish(QWidget *window, const std::function<void()> &finish)
    {
        window->setFont(DesignedFont("Tahoma", 10));
        ApplyControlKinds(window);
        NameForScreenReaders(window);
        if (finish)
            finish();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            Finish(static_cast<QWidget *>(watched), finish_);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> finish_;
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

void SetUpDesignedWindow(QWidget *window, std::optional<QColor> designedColour, std::function<void()> finish)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    new DesignedColours(window, designedColour);
    window->setAutoFillBackground(true);
    window->resize(window->size() - kDesignedFrame);
    window->installEventFilter(new FirstShowPlacement(window));
    // Installed last, so that the controls are finished before the window is placed.
    if (window->isVisible())
        FinishOnFirstShow::Finish(window, finish);
    else
        new FinishOnFirstShow(window, std::move(finish));
}
