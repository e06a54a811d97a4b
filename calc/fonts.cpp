#include "calc/fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

void RegisterFonts()
{
    // Only the regular face: fonts-wine's bold draws hardly heavier at 15 pixels than the regular one,
    // so bold results and headings are better emboldened from the regular outlines.
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    // FreeType gives the first face loaded at a size the line height the controls were designed with, and
    // a later style of it at that size a pixel more; the edit boxes' and buttons' regular face goes first,
    // whichever window is shown first, so that the main menu's two-line captions keep their spacing.
    QFontMetricsF(DesignedFont("Tahoma", 15)).leading();
    QFont::insertSubstitution(QStringLiteral("MS Reference Sans Serif"), QStringLiteral("DejaVu Sans"));
    // Symbol-font letters are shown as the Greek letters they stand for; any Greek serif face will do.
    QFont::insertSubstitution(QStringLiteral("Symbol"), QStringLiteral("DejaVu Serif"));
}

QFont DesignedFont(const char *family, int pixelSize, FontStyle style)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixelSize);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}
