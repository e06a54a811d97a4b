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

Outcome<QByteArray> ToleranceJson(QWidget *calculator, const CommandLine &commandLine)
{
    const Outcome<std::vector<TolerancePart>> parts = ToleranceParts(calculator);
    if (!parts)
        return parts.Why();
    ToleranceOptions options;
    options.runs = commandLine.runs;
    options.jobs = commandLine.jobs;
    options.seed = commandLine.seedGiven ? commandLine.seed : QRandomGenerator::system()->generate64();
    ToleranceResult result;
    if (const Outcome<> analysed = AnalyseTolerance(calculator, *parts, options, &result); !analysed)
        return analysed.Why();
    return ToleranceJson(*parts, result);
}

// Writes the JSON to standard output.
Outcome<> Printed(const Outcome<QByteArray> &json)
{
    if (!json)
        return json.Why();
    std::fwrite(json->constData(), 1, json->size(), stdout);
    return {};
}

Outcome<> Run(const CommandLine &commandLine, const TCalculationDocument *document)
{
    QWidget *calculator = document->Calculator();
    if (!commandLine.reportPath.isEmpty())
        return WriteReport(calculator, commandLine.reportPath, FooterOf(document));
    if (!commandLine.netlistPath.isEmpty())
        return ExportNetlist(calculator, commandLine.netlistPath);
    if (commandLine.tolerance)
        return Printed(ToleranceJson(calculator, commandLine));
    return Printed(SimulationJson(calculator));
}

} // namespace

void SayError(const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(text));
}

int RunHeadless(const CommandLine &commandLine)
{
    if (commandLine.Designs()) {
        // A design names its window and works with the calculators the program has.
        CreateCalculators();
        return RunDesignCommandLine(commandLine);
    }
    const Outcome<TCalculationDocument *> document = LoadCalculation(commandLine.files.front());
    const Outcome<> done = document ? Run(commandLine, *document) : Outcome<>(document.Why());
    if (done)
        return 0;
    if (done.Failed())
        SayError(done.Message());
    return 1;
}
