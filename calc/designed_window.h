#pragma once

#include <QColor>
#include <QSize>

class QWidget;

// The windows were designed with their outer size, frame included; this is the frame they were
// designed with (a sizeable window at 96 pixels per inch), so that the client area comes out as designed.
inline constexpr QSize kDesignedFrame{16, 39};

// Gives a window whose stored layout (with its designed outer size) is set up the common look: border
// icons for system menu and minimise only, Tahoma 10 as its font, the colour, the client size its
// outer size leaves, the controls' kinds, and centring on the desktop at its first show.
void SetUpDesignedWindow(QWidget *window, const QColor &colour);

// Makes the window visible, restored if minimised, in front of the others.
void BringToFront(QWidget *window);
