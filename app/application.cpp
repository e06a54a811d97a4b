#include "app/application.h"

#include "calc/fonts.h"
#include "numtext/decimal_mark.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void SetUpApplication(QApplication *application)
{
    // Docks and task bars match the windows to the installed ortix-t.desktop by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ortix-t"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/ortix-t-%1.png").arg(size), QSize(size, size));
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
