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
    // Files alone, or nothing (a start from the desktop's menu or a double-click on files): there is no option
    // to answer or refuse, and no parser and its texts to load before the main menu.
    CommandLine filesAlone;
    for (int i = 1; i < argc && argv[i][0] != '-'; ++i)
        filesAlone.files << QString::fromLocal8Bit(argv[i]);
    if (filesAlone.files.size() == argc - 1)
        return filesAlone;

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
    // The automatic design and the batch of variants.
    const QCommandLineOption design(QStringLiteral("design"),
                                    QStringLiteral("Рассчитать окно FormN по стандартным значениям из исходных данных "
                                                   "--given и записать расчёт в файл --out, затем выйти."),
                                    QStringLiteral("FormN"));
    const QCommandLineOption given(QStringLiteral("given"),
                                   QStringLiteral("Исходные данные для --design: \"Uки=10;Fп=20;…\" — символ поля или "
                                                  "имя поля (Edit6), знак «=» и число."),
                                   QStringLiteral("ДАННЫЕ"));
    const QCommandLineOption batch(
        QStringLiteral("batch"),
        QStringLiteral("Рассчитать каждый вариант из VARIANTS.csv и записать в папку --out "
                       "файлы вариантов, ответы.csv, ответы.pdf и ответы.html, затем выйти."),
        QStringLiteral("VARIANTS.csv"));
    const QCommandLineOption batchTemplate(
        QStringLiteral("batch-template"),
        QStringLiteral("Напечатать заголовок CSV вариантов окна FormN и строку примера, затем выйти."),
        QStringLiteral("FormN"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("Файл расчёта для --design или папка ответов для --batch."),
                                 QStringLiteral("ПУТЬ"));
    parser.addOptions({design, given, batch, batchTemplate, out});

    // The margins and the tolerance analysis.
    const QCommandLineOption tolerance(
        QStringLiteral("tolerance"),
        QStringLiteral("Найти запас каждой детали схемы расчёта ФАЙЛ и долю работающих образцов при разбросе "
                       "деталей (метод Монте-Карло), вывести их одним объектом JSON и завершить работу."));
    const QCommandLineOption runs(QStringLiteral("runs"),
                                  QStringLiteral("Число прогонов для --tolerance (по умолчанию 200)."),
                                  QStringLiteral("N"));
    const QCommandLineOption jobs(QStringLiteral("jobs"),
                                  QStringLiteral("Число одновременных процессов ngspice для --tolerance (по "
                                                 "умолчанию по одному на ядро)."),
                                  QStringLiteral("J"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Начальное число случайных отклонений для --tolerance: с тем же "
                                                 "числом — тот же результат (по умолчанию случайное)."),
                                  QStringLiteral("S"));
    parser.addOptions({tolerance, runs, jobs, seed});

    parser.process(core); // prints and exits for --help, --version and errors

    CommandLine commandLine{parser.positionalArguments(), parser.value(report),        parser.value(netlist),
                            parser.isSet(simulate),       parser.value(design),        parser.value(given),
                            parser.value(batch),          parser.value(batchTemplate), parser.value(out)};
    commandLine.tolerance = parser.isSet(tolerance);
    const auto readNumber = [&](const QCommandLineOption &option, int least, int *value) {
        if (!parser.isSet(option))
            return;
        bool number = false;
        *value = parser.value(option).toInt(&number);
        if (number && *value >= least && *value <= 100000 && commandLine.tolerance)
            return;
        std::fprintf(stderr, "%s: --%s — целое число от %d до 100000, только с --tolerance\n",
                     qPrintable(QCoreApplication::applicationName()), qPrintable(option.names().front()), least);
        std::exit(1);
    };
    readNumber(runs, 1, &commandLine.runs);
    readNumber(jobs, 1, &commandLine.jobs);
    commandLine.seedGiven = parser.isSet(seed);
    if (commandLine.seedGiven) {
        bool number = false;
        commandLine.seed = parser.value(seed).toULongLong(&number);
        if (!number || !commandLine.tolerance) {
            std::fprintf(stderr, "%s: --seed — целое число от 0 до 18446744073709551615, только с --tolerance\n",
                         qPrintable(QCoreApplication::applicationName()));
            std::exit(1);
        }
    }
    const int designs = parser.isSet(design) + parser.isSet(batch) + parser.isSet(batchTemplate);
    const bool needsOut = parser.isSet(design) || parser.isSet(batch);
    const bool alongside = !commandLine.files.isEmpty() || parser.isSet(report) || parser.isSet(netlist)
        || parser.isSet(tolerance) || (parser.isSet(simulate) && !parser.isSet(batch));
    if (designs > 1 || (designs == 1 && alongside) || needsOut != parser.isSet(out)
        || parser.isSet(given) != parser.isSet(design)) {
        std::fprintf(stderr,
                     "%s: --design FormN --given ДАННЫЕ --out ФАЙЛ, --batch VARIANTS.csv --out ПАПКА и "
                     "--batch-template FormN — по одному, без файлов расчёта (--simulate — только с --batch)\n",
                     qPrintable(QCoreApplication::applicationName()));
        std::exit(1);
    }
    const int headless =
        parser.isSet(report) + parser.isSet(netlist) + parser.isSet(simulate) + parser.isSet(tolerance);
    if (designs == 0 && (headless > 1 || (headless == 1 && commandLine.files.size() != 1))) {
        std::fprintf(stderr,
                     "%s: --report, --netlist, --simulate и --tolerance принимают один ФАЙЛ расчёта, по "
                     "одному\n",
                     qPrintable(QCoreApplication::applicationName()));
        std::exit(1);
    }
    return commandLine;
}
