#pragma once

#include <QColor>
#include <QSize>

class QWidget;

// Gives a window whose stored layout is set up the common look: border icons for system menu and
// minimise only, Tahoma 10 as its font, the colour, its designed outer size, the controls' kinds,
// and centring on the desktop at its first show.
void SetUpDesignedWindow(QWidget *window, const QColor &colour);

// The windows were designed with their outer size, frame included; this is the frame they were
// designed with (a sizeable window at 96 pixels per inch), so that the client area comes out as designed.
inline constexpr QSize kDesignedFrame{16, 39};

// Turns the designed outer size that the stored layout gives the window into its client size.
void FitDesignedOuterSize(QWidget *window);

// Places the window, frame included, in the middle of its screen's available area.
void CentreOnDesktop(QWidget *window);

// Centres the window when it is first shown; later shows leave it where the user put it.
void CentreOnFirstShow(QWidget *window);

// Makes the window visible, restored if minimised, in front of the others.
void BringToFront(QWidget *window);
