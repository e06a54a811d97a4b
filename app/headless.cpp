#include "app/headless.h"

#include "app/command_line.h"
#include "app/design_commands.h"
#include "app/export_actions.h"
#include "app/forms.h"
#include "documents/calculation_document.h"
#include "simulation/simulation.h"
#include "window/calculator_window.h"

#include <QCoreApplication>

#include <cstdio>

int RunHeadless(const CommandLine &commandLine)
{
    if (commandLine.Designs()) {
        // A design names its window and works with the calculators the program has.
        CreateCalculators();
        return RunDesignCommandLine(commandLine);
    }
    QString error;
    const TCalculationDocument *document = LoadCalculation(commandLine.files.front(), &error);
    bool done = false;
    if (document) {
        QWidget *calculator = document->Calculator();
        if (!commandLine.reportPath.isEmpty()) {
            done = WriteReport(calculator, commandLine.reportPath, FooterOf(document), &error);
        } else if (!commandLine.netlistPath.isEmpty()) {
            done = ExportNetlist(calculator, commandLine.netlistPath, &error);
        } else {
            const QByteArray json = SimulationJson(calculator, &error);
            done = !json.isEmpty();
            std::fwrite(json.constData(), 1, json.size(), stdout);
        }
    }
    if (done)
        return 0;
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(error));
    return 1;
}
