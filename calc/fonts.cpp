#include "calc/fonts.h"

#include <QFontDatabase>
#include <QStringList>

void RegisterFonts()
{
    // Only the regular face: fonts-wine's bold draws hardly heavier at 15 pixels than the regular one,
    // so bold results and headings are better emboldened from the regular outlines.
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
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
