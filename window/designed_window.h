#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <optional>

// The windows were designed with their outer size, frame included; this is the frame they were
// designed with (a sizeable window at 96 pixels per inch), so that the client area comes out as designed.
// It also stands for the window manager's frame until the real one is known.
inline constexpr QSize kDesignedFrame{16, 39};

// Gives a window whose stored layout (with its designed outer size) is set up the common look: border
// icons for system menu and minimise only, Tahoma 10 as its font, the client size its outer size
// leaves, and its background: the designed colour (with the designed black texts on it), or else the
// desktop's button face. Its edit boxes and buttons lie above its labels, and what is typed stays
// readable. At its first show it gives the controls the look of their kinds, names them
// for screen readers and centres the window on the desktop.
void SetUpDesignedWindow(QWidget *window, std::optional<QColor> designedColour = std::nullopt);

// Where a window's frame goes on the desktop: centred where it fits, never above or left of the
// desktop; a sizeable window larger than the desktop shrinks to it.
QRect PlaceFrame(const QRect &desktop, QSize frame, bool sizeable);

// Makes the window visible, restored if minimised, in front of the others.
void BringToFront(QWidget *window);

// The controls the window was designed with, and never those of the windows it owns (a calculator owns its
// «Моделирование»).
template <class Control>
QList<Control *> OwnControls(const QWidget *window)
{
    QList<Control *> own;
    for (Control *control : window->findChildren<Control *>()) {
        if (control->window() == window)
            own << control;
    }
    return own;
}
