#include "app/application.h"
#include "app/command_line.h"
#include "app/first_paint.h"
#include "app/form1.h"
#include "app/forms.h"
#include "app/menus.h"
#include "app/headless.h"
#include "window_look/fonts.h"

#include <QApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Past a file-size limit a write fails with its cause instead of ending the program mid-file.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication::setApplicationName(QStringLiteral("Ortix-T"));
    QApplication::setApplicationVersion(QStringLiteral(ORTIX_VERSION));
    const CommandLine commandLine = ProcessCommandLine(argc, argv);
    const bool headless = commandLine.Headless();
    if (headless) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Standard error carries the program's one line about what could not be done, not Qt's notices.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(message));
        });
    }
    StartLoadingFonts();

    QApplication application(argc, argv);
    SetUpApplication(&application);
    CreateMainMenu();
    int exitCode = 0;
    if (headless) {
        exitCode = RunHeadless(commandLine);
    } else {
        QuitAfterFirstPaintIfAsked(Form1);
        Form1->show();
        OpenFromCommandLine(commandLine.files);
        exitCode = QApplication::exec();
    }
    DestroyForms();
    FinishStartUp();
    return exitCode;
}
