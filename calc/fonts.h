#pragma once

#include <QFont>

// Starts reading the desktop's font configuration on a thread of its own: it takes milliseconds that
// the application's own start-up can overlap. Called before the application object exists; the first
// font that Qt looks up waits for it in RegisterFonts.
void StartReadingFontConfiguration();

// Makes the designed font families available: Tahoma from the system or from fonts-wine,
// and installed substitutes for the ones that free systems lack.
void RegisterFonts();

struct FontStyle
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// A font as the windows were designed with it, its size in pixels. It draws the program's own texts,
// every letter of which is in its face, so Qt is not sent looking through the system's other faces for
// letters it might lack: that search is a large part of the cost of a font's first use.
QFont DesignedFont(const char *family, int pixelSize, FontStyle style = {});
