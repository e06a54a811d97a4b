#include "window/fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <fontconfig/fontconfig.h>
#include <malloc.h>

#include <future>
#include <thread>

namespace {

std::thread gFontLoader;
std::promise<void> gApplicationExists;
bool gContinued = false;

} // namespace

void StartLoadingFonts()
{
    // One heap for all threads: a heap of the loader's own would keep the pages it frees for nobody.
    mallopt(M_ARENA_MAX, 1);
    gFontLoader = std::thread([application = gApplicationExists.get_future()] {
        FcInit();
        // The database belongs to the application's platform: it can be filled once that exists.
        application.wait();
        QFontDatabase::families();
    });
}

void ContinueLoadingFonts()
{
    if (gFontLoader.joinable() && !gContinued) {
        gApplicationExists.set_value();
        gContinued = true;
    }
}

void RegisterFonts()
{
    if (gFontLoader.joinable()) {
        ContinueLoadingFonts();
        gFontLoader.join();
    }
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
