#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// The options QGuiApplication and QApplication take for themselves.
constexpr const char *kQtOptionsWithValue[] = {"platform",        "platformpluginpath", "platformtheme", "plugin",
                                               "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                               "style",           "stylesheet",         "display",       "geometry"};
constexpr const char *kQtSwitches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void AddHidden(QCommandLineParser &parser, const char *name, const QString &valueName = {})
{
    QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

} // namespace

CommandLine ProcessCommandLine(int argc, char *argv[])
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Ортикс-Т: engineering calculation of transistor trigger (flip-flop) circuits.\n"
                       "Pick a circuit in the main menu, then work through the calculator's steps."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    for (const char *name : kQtOptionsWithValue)
        AddHidden(parser, name, QStringLiteral("value"));
    for (const char *name : kQtSwitches)
        AddHidden(parser, name);

    // A core application needs no display; the windows' application comes after it.
    int count = argc;
    const QCoreApplication core(count, argv);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("calculation files to open"),
                                 QStringLiteral("[FILE...]"));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("Write the report of the calculation FILE to OUT, as PDF, ODT, HTML "
                                                   "or text after OUT's extension, and exit."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption netlist(
        QStringLiteral("netlist"),
        QStringLiteral("Write the SPICE netlist of the calculation FILE's circuit to OUT.cir, and exit."),
        QStringLiteral("OUT.cir"));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Simulate the calculation FILE's circuit with ngspice, print the verdict and the measured "
                       "and calculated figures as one JSON object, and exit."));
    parser.addOptions({report, netlist, simulate});
    parser.process(core); // prints and exits for --help, --version and errors

    const CommandLine commandLine{parser.positionalArguments(), parser.value(report), parser.value(netlist),
                                  parser.isSet(simulate)};
    const int headless = parser.isSet(report) + parser.isSet(netlist) + parser.isSet(simulate);
    if (headless > 1 || (headless == 1 && commandLine.files.size() != 1)) {
        std::fprintf(stderr, "%s: --report, --netlist and --simulate take one calculation FILE, one at a time\n",
                     qPrintable(QCoreApplication::applicationName()));
        std::exit(1);
    }
    return commandLine;
}
