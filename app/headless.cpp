#include "app/headless.h"

#include "app/command_line.h"
#include "app/design_commands.h"
#include "app/export_actions.h"
#include "app/forms.h"
#include "documents/calculation_document.h"
#include "simulation/simulation.h"
#include "tolerance/tolerance_analysis.h"
#include "window/calculator_window.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

namespace {

QByteArray ToleranceJson(QWidget *calculator, const CommandLine &commandLine, QString *error)
{
    const std::vector<TolerancePart> parts = ToleranceParts(calculator, error);
    if (parts.empty()) {
        if (error->isEmpty())
            *error = QCoreApplication::translate("Tolerance", "В схеме нет деталей, разброс которых можно учесть");
        return {};
    }
    ToleranceOptions options;
    options.runs = commandLine.runs;
    options.jobs = commandLine.jobs;
    options.seed = commandLine.seedGiven ? commandLine.seed : QRandomGenerator::system()->generate64();
    ToleranceResult result;
    if (!AnalyseTolerance(calculator, parts, options, &result, error))
        return {};
    return ToleranceJson(parts, result);
}

} // namespace

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
        } else if (commandLine.tolerance) {
            const QByteArray json = ToleranceJson(calculator, commandLine, &error);
            done = !json.isEmpty();
            std::fwrite(json.constData(), 1, json.size(), stdout);
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
