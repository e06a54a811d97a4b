#include "app/application.h"
#include "app/command_line.h"
#include "app/first_paint.h"
#include "app/form1.h"
#include "app/forms.h"
#include "app/menus.h"
#include "window/fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Ortix-T"));
    QApplication::setApplicationVersion(QStringLiteral(ORTIX_VERSION));
    const QStringList files = ProcessCommandLine(argc, argv);
    StartLoadingFonts();

    QApplication application(argc, argv);
    SetUpApplication(&application);
    CreateForms();
    QuitAfterFirstPaintIfAsked(Form1);
    Form1->show();
    OpenFromCommandLine(files);
    const int exitCode = QApplication::exec();
    DestroyForms();
    return exitCode;
}
