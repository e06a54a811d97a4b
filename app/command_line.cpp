#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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
    // A core application needs no display; the windows' application comes after it.
    int count = argc;
    const QCoreApplication core(count, argv);
    // The parser's own texts (help, unknown options) in Russian, as the program's.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Ортикс-Т: инженерный расчёт транзисторных триггеров.\n"
                                                    "Выберите схему в главном меню и пройдите шаги её расчёта."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    for (const char *name : kQtOptionsWithValue)
        AddHidden(parser, name, QStringLiteral("значение"));
    for (const char *name : kQtSwitches)
        AddHidden(parser, name);

    parser.addPositionalArgument(QStringLiteral("ФАЙЛ"), QStringLiteral("файлы расчётов, которые нужно открыть"),
                                 QStringLiteral("[ФАЙЛ...]"));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("Записать отчёт о расчёте ФАЙЛ в ВЫХОД (PDF, ODT, HTML или текст, "
                                                   "по расширению ВЫХОДА) и завершить работу."),
                                    QStringLiteral("ВЫХОД"));
    const QCommandLineOption netlist(
        QStringLiteral("netlist"), QStringLiteral("Записать схему SPICE расчёта ФАЙЛ в ВЫХОД.cir и завершить работу."),
        QStringLiteral("ВЫХОД.cir"));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Промоделировать схему расчёта ФАЙЛ в ngspice, вывести заключение о её работе, измеренные и "
                       "расчётные величины одним объектом JSON и завершить работу."));
    parser.addOptions({report, netlist, simulate});
    parser.process(core); // prints and exits for --help, --version and errors

    const CommandLine commandLine{parser.positionalArguments(), parser.value(report), parser.value(netlist),
                                  parser.isSet(simulate)};
    const int headless = parser.isSet(report) + parser.isSet(netlist) + parser.isSet(simulate);
    if (headless > 1 || (headless == 1 && commandLine.files.size() != 1)) {
        std::fprintf(stderr, "%s: --report, --netlist и --simulate принимают один ФАЙЛ расчёта, по одному\n",
                     qPrintable(QCoreApplication::applicationName()));
        std::exit(1);
    }
    return commandLine;
}
