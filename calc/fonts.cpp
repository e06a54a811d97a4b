#include "calc/fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <thread>

namespace {

std::thread gFontConfigurationReader;

} // namespace

void StartReadingFontConfiguration()
{
    // Qt's font database starts by asking for the configuration: once read, it is at hand.
    gFontConfigurationReader = std::thread([] { FcInit(); });
}

void RegisterFonts()
{
    if (gFontConfigurationReader.joinable())
        gFontConfigurationReader.join();
    // Only the regular face: fonts-wine's bold draws hardly heavier at 15 pixels than the regular one,
    // so bold results and headings are better emboldened from the regular outlines.
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    // Of the font engines made for one face at one size, FreeType gives the first the designed line height
    // and later ones a pixel more. The regular one at 15 pixels is made first, before any window measures a
    // text, so that the main menu's two-line captions keep their line spacing.
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
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}
