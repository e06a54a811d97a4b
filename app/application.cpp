#include "app/application.h"

#include "app/menu_bar_style.h"
#include "number_text/decimal_mark.h"
#include "window_look/fonts.h"

#include <QApplication>
#include <QDBusConnection>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QResource>
#include <QThreadPool>
#include <QTranslator>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

// Joined by FinishStartUp, or else at exit.
struct JoinedThread : std::thread
{
    using std::thread::operator=;
    ~JoinedThread()
    {
        if (joinable())
            join();
    }
} gSessionBus;

// The desktop's accessibility bridge, made at the first window's show, connects to the session bus and
// waits for it (where there is none, for a failed attempt to start one). A thread of its own connects it
// while the main menu is built, and the bridge finds it done.
void ConnectSessionBusAhead()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        gSessionBus = std::thread([] { QDBusConnection::sessionBus(); });
}

// The raster paint engine splits a large fill (the face of a main-menu button) in up to four parts run on Qt's
// global thread pool, and waits for them; the pool makes its threads when first asked. Made here, they wait
// for work when the first paint comes, rather than the paint waiting for them to be made and scheduled.
void StartPaintThreadsAhead()
{
    constexpr int kMostPartsOfAFill = 4;
    QThreadPool *pool = QThreadPool::globalInstance();
    const int threads = std::min(pool->maxThreadCount(), kMostPartsOfAFill);
    // Each task keeps its thread a moment, so that the pool makes a thread for each rather than handing the
    // next task to one already done.
    for (int i = 0; i < threads; ++i)
        pool->start([] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
}

} // namespace

void SetUpApplication(QApplication *application)
{
    ContinueLoadingFonts();
    ConnectSessionBusAhead();
    StartPaintThreadsAhead();
    UseStyleWithOverflowIconsAtFirstUse();
    // Docks and task bars match the windows to the installed ortix-t.desktop by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ortix-t"));
    // Title bars and task switchers draw a window's own icon at 64 pixels at most; larger sizes come
    // from the icon theme, through the desktop entry.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        // Kept as the pixels themselves (resources/CMakeLists.txt): no image decoder is loaded for them.
        const QByteArray pixels = QResource(QStringLiteral(":/icon/ortix-t-%1.argb32").arg(size)).uncompressedData();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        std::memcpy(image.bits(), pixels.constData(), std::min<qsizetype>(pixels.size(), image.sizeInBytes()));
        icon.addPixmap(QPixmap::fromImage(image));
    }
    QApplication::setWindowIcon(icon);
    // Qt's own texts (edit boxes' context menus, message box buttons) in the user's language; the
    // program's own texts are Russian whatever the language.
    auto *qtTexts = new QTranslator(application);
    if (qtTexts->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
    FollowDecimalMark(application);
    RegisterFonts();
}

void FinishStartUp()
{
    if (gSessionBus.joinable())
        gSessionBus.join();
    FinishLoadingFonts();
}
