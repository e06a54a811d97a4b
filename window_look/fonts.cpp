#include "window_look/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <fontconfig/fontconfig.h>
#include <malloc.h>

#include <future>
#include <mutex>
#include <optional>
#include <thread>

namespace {

constexpr char kMissingFamily[] = "MS Reference Sans Serif";

std::once_flag gDesignedFamiliesAdded;

// Only the regular face of Tahoma: fonts-wine's bold draws hardly heavier at 15 pixels than the regular
// one, so bold results and headings are better emboldened from the regular outlines.
void AddDesignedFamilies()
{
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    QFont::insertSubstitution(QString::fromLatin1(kMissingFamily), QStringLiteral("DejaVu Sans"));
    // Symbol-font letters are shown as the Greek letters they stand for; any Greek serif face will do.
    QFont::insertSubstitution(QStringLiteral("Symbol"), QStringLiteral("DejaVu Serif"));
}

// Qt finds the faces that stand in for a family, for a script, by sorting all the system's fonts through
// fontconfig, and keeps what it found for every thread. The main menu has it look for two: for the
// desktop's font of the menu bar, whose letters may come from other faces, and for the designed family of
// its heading and credits where the system lacks it, before the substitute is taken. Looked for here,
// they are found when the main menu is built.
void FindStandIns(const QString &desktopFamily)
{
    QFontMetricsF(QFont(desktopFamily)).leading();
    if (!QFontDatabase::families().contains(QString::fromLatin1(kMissingFamily)))
        QFontMetricsF(DesignedFont(kMissingFamily, 15)).inFont(QChar(u'Р')); // in the Cyrillic script
}

// The loading thread.
class FontLoader
{
public:
    void Start()
    {
        fontsLoaded_ = loaded_.get_future();
        thread_ = std::thread([this, application = application_.get_future()]() mutable {
            FcInit();
            // The database belongs to the application's platform: it can be filled once that exists.
            const std::optional<QString> desktopFamily = application.get();
            if (!desktopFamily)
                return;
            QFontDatabase::families();
            std::call_once(gDesignedFamiliesAdded, AddDesignedFamilies);
            loaded_.set_value();
            FindStandIns(*desktopFamily);
        });
    }
    void Continue()
    {
        if (thread_.joinable() && !continued_) {
            continued_ = true;
            application_.set_value(QApplication::font("QMenuBar").family());
        }
    }
    void WaitForFonts()
    {
        if (!thread_.joinable())
            return;
        Continue();
        fontsLoaded_.wait();
    }
    // Before the application object goes: the thread may still be asking Qt's font database.
    void Finish()
    {
        if (!thread_.joinable())
            return;
        if (!continued_)
            application_.set_value(std::nullopt);
        thread_.join();
    }
    ~FontLoader() { Finish(); }

private:
    std::promise<std::optional<QString>> application_; // the desktop's font family once the application exists
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

void ContinueLoadingFonts()
{
    gFontLoader.Continue();
}

void FinishLoadingFonts()
{
    gFontLoader.Finish();
}

void RegisterFonts()
{
    gFontLoader.WaitForFonts();
    std::call_once(gDesignedFamiliesAdded, AddDesignedFamilies);
    // Of the font engines made for one face at one size, FreeType gives the first the designed line height
    // and later ones a pixel more. The regular one at 15 pixels is made first, before any window measures a
    // text, so that the main menu's two-line captions keep their line spacing.
    QFontMetricsF(DesignedFont("Tahoma", 15)).leading();
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
