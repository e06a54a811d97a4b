#include "window/fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <fontconfig/fontconfig.h>
#include <malloc.h>

#include <functional>
#include <future>
#include <optional>
#include <thread>

namespace {

// The thread that loads the fonts and then does what start-up gave it to do afterwards.
class FontLoader
{
public:
    void Start()
    {
        fontsLoaded_ = loaded_.get_future();
        thread_ = std::thread([this, application = application_.get_future()]() mutable {
            FcInit();
            // The database belongs to the application's platform: it can be filled once that exists.
            const std::optional<std::function<void()>> afterwards = application.get();
            if (!afterwards)
                return;
            QFontDatabase::families();
            loaded_.set_value();
            if (*afterwards)
                (*afterwards)();
        });
    }
    void Continue(std::function<void()> afterwards)
    {
        if (thread_.joinable() && !continued_) {
            continued_ = true;
            application_.set_value(std::move(afterwards));
        }
    }
    void WaitForFonts()
    {
        if (!thread_.joinable())
            return;
        Continue({});
        fontsLoaded_.wait();
    }
    // At exit the thread is long done: the first window's show waits for what it went on to.
    ~FontLoader()
    {
        if (!thread_.joinable())
            return;
        if (!continued_)
            application_.set_value(std::nullopt);
        thread_.join();
    }

private:
    std::promise<std::optional<std::function<void()>>> application_;
    std::promise<void> loaded_;
    std::future<void> fontsLoaded_;
    bool continued_ = false;
    std::thread thread_;
} gFontLoader;

} // namespace

void StartLoadingFonts()
{
    // One heap for all threads: a heap of the loader's own would keep the pages it frees for nobody.
    mallopt(M_ARENA_MAX, 1);
    gFontLoader.Start();
}

void ContinueLoadingFonts(std::function<void()> afterwards)
{
    gFontLoader.Continue(std::move(afterwards));
}

void RegisterFonts()
{
    gFontLoader.WaitForFonts();
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
