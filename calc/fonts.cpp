#include "calc/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

const char *const kWineTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};

} // namespace

void RegisterFonts()
{
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        for (const char *file : kWineTahomaFiles)
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
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
