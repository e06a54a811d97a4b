#pragma once

#include <QFont>

// Makes the designed font families available: Tahoma from the system or from fonts-wine,
// and installed substitutes for the ones that free systems lack.
void RegisterFonts();

struct FontStyle
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// A font as the windows were designed with it, its size in pixels.
QFont DesignedFont(const char *family, int pixelSize, FontStyle style = {});
