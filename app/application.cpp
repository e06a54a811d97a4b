#include "app/application.h"

#include "app/menu_bar_style.h"
#include "numtext/decimal_mark.h"
#include "window/fonts.h"

#include <QAccessible>
#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>

void SetUpApplication(QApplication *application)
{
    ContinueLoadingFonts();
    UseStyleWithOverflowIconsAtFirstUse();
    // Docks and task bars match the windows to the installed ortix-t.desktop by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ortix-t"));
    // Title bars and task switchers draw a window's own icon at 64 pixels at most; larger sizes come
    // from the icon theme, through the desktop entry.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        // Read as the PNG it is: finding out the format would load every image format plugin to ask it.
        QImageReader reader(QStringLiteral(":/icon/ortix-t-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    QApplication::setWindowIcon(icon);
    // Qt's own texts (edit boxes' context menus, message box buttons) in the user's language; the
    // program's own texts are Russian whatever the language.
    auto *qtTexts = new QTranslator(application);
    if (qtTexts->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
    FollowDecimalMark(application);
    // The desktop's accessibility bridge, made by the first control, waits for the session bus: it waits
    // here, while the fonts are still loading.
    QAccessible::isActive();
    RegisterFonts();
}
