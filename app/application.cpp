#include "app/application.h"

#include "calc/fonts.h"
#include "numtext/decimal_mark.h"

#include <QApplication>
#include <QIcon>

void SetUpApplication(QApplication *application)
{
    // Docks and task bars match the windows to the installed ortix-t.desktop by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ortix-t"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/ortix-t-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    FollowDecimalMark(application);
    RegisterFonts();
}
