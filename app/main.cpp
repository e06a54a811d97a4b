#include "app/application.h"
#include "app/command_line.h"
#include "app/first_paint.h"
#include "app/form1.h"
#include "app/forms.h"
#include "app/menus.h"
#include "app/report_actions.h"
#include "window/fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Ortix-T"));
    QApplication::setApplicationVersion(QStringLiteral(ORTIX_VERSION));
    const CommandLine commandLine = ProcessCommandLine(argc, argv);
    const bool headless = !commandLine.reportPath.isEmpty();
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    StartLoadingFonts();

    QApplication application(argc, argv);
    SetUpApplication(&application);
    CreateForms();
    int exitCode = 0;
    if (headless) {
        exitCode = WriteReportOfFile(commandLine.files.front(), commandLine.reportPath);
    } else {
        QuitAfterFirstPaintIfAsked(Form1);
        Form1->show();
        OpenFromCommandLine(commandLine.files);
        exitCode = QApplication::exec();
    }
    DestroyForms();
    return exitCode;
}
