#pragma once

#include <QFont>

// Start-up loads the fonts on a thread of its own, in milliseconds that the rest of start-up overlaps:
// it reads the desktop's font configuration from before the application object exists, and fills Qt's
// font database from it once the application object does. RegisterFonts waits for that; the thread goes
// on to find what the main menu's fonts fall back to while the main menu is built.
void StartLoadingFonts();    // before the application object exists
void ContinueLoadingFonts(); // once it exists
void FinishLoadingFonts();   // before it goes

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
