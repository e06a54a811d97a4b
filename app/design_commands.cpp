#include "app/design_commands.h"

#include "app/command_line.h"
#include "app/form1.h"
#include "calculators/registry.h"
#include "window/calculator_window.h"
#include "design/automatic_design.h"
#include "design/batch.h"
#include "design/design_command.h"
#include "files/save_file.h"
#include "simulation/simulation.h"
#include "window/fault_report.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

#include <cstdio>
#include <map>

namespace {

// Given data that designs every window to its end, for the variants' template.
const std::map<QString, const char *> &ExampleValues()
{
    static const std::map<QString, const char *> kValues = {
        {"Form2.Edit1", "10"},    {"Form2.Edit2", "20"},   {"Form2.Edit3", "50"},   {"Form2.Edit5", "5"},
        {"Form2.Edit6", "30"},    {"Form2.Edit7", "2"},    {"Form2.Edit8", "50"},   {"Form2.Edit9", "70"},
        {"Form2.Edit11", "1,5"},  {"Form2.Edit13", "1,5"}, {"Form2.Edit16", "2"},   {"Form3.Edit1", "10"},
        {"Form3.Edit2", "20"},    {"Form3.Edit3", "50"},   {"Form3.Edit4", "1"},    {"Form3.Edit6", "5"},
        {"Form3.Edit7", "30"},    {"Form3.Edit8", "2"},    {"Form3.Edit9", "50"},   {"Form3.Edit10", "70"},
        {"Form3.Edit14", "1,5"},  {"Form3.Edit17", "2"},   {"Form4.Edit1", "5"},    {"Form4.Edit2", "100"},
        {"Form4.Edit3", "50"},    {"Form4.Edit4", "2"},    {"Form4.Edit6", "1"},    {"Form4.Edit7", "40"},
        {"Form4.Edit8", "20"},    {"Form4.Edit9", "5"},    {"Form4.Edit10", "70"},  {"Form5.Edit1", "5"},
        {"Form5.Edit2", "10"},    {"Form5.Edit5", "10"},   {"Form5.Edit6", "5"},    {"Form5.Edit7", "40"},
        {"Form5.Edit8", "120"},   {"Form5.Edit9", "25"},   {"Form5.Edit10", "100"}, {"Form5.Edit11", "5"},
        {"Form5.Edit14", "0,2"},  {"Form5.Edit15", "0,3"}, {"Form5.Edit16", "0,6"}, {"Form5.Edit17", "0,7"},
        {"Form5.Edit25", "5"},    {"Form5.Edit27", "100"}, {"Form6.Edit3", "1000"}, {"Form6.Edit5", "500"},
        {"Form6.Edit9", "10000"}, {"Form7.Edit1", "10"},   {"Form7.Edit2", "9"},    {"Form7.Edit5", "10"},
        {"Form7.Edit6", "5"},     {"Form7.Edit7", "40"},   {"Form7.Edit8", "120"},  {"Form7.Edit9", "30"},
        {"Form7.Edit10", "270"},  {"Form7.Edit13", "5"},   {"Form7.Edit14", "2,5"}, {"Form7.Edit17", "0,2"},
        {"Form7.Edit18", "0,3"},  {"Form7.Edit19", "0,7"}, {"Form7.Edit20", "0,8"}, {"Form7.Edit25", "0,5"},
        {"Form7.Edit26", "0,5"},  {"Form7.Edit27", "10"},  {"Form7.Edit28", "20"},
    };
    return kValues;
}

// The calculation a name stands for: its calculator's window's name or its main-menu button's text.
const CalculatorRow *CalculationRowNamed(const QString &name)
{
    const QString wanted = name.simplified();
    for (const CalculatorRow *row : CalculationRows()) {
        const auto *opening = Form1->findChild<QPushButton *>(QLatin1String(row->mainMenuButton));
        if (wanted == QLatin1String(row->name)
            || (opening && wanted.compare(opening->text().simplified(), Qt::CaseInsensitive) == 0))
            return row;
    }
    return nullptr;
}

void SayError(const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(text));
}

TCalculatorWindow *CalculatorOrSay(const QString &name)
{
    TCalculatorWindow *calculator = CalculatorNamed(name);
    if (!calculator) {
        QStringList names;
        for (const CalculatorRow *row : CalculationRows())
            names << QLatin1String(row->name);
        SayError(QStringLiteral("нет окна «%1»: %2 или название схемы").arg(name, names.join(QStringLiteral(", "))));
    }
    return calculator;
}

QString Columns(const std::vector<GivenBox> &boxes)
{
    QStringList columns;
    for (const GivenBox &box : boxes)
        columns << box.column;
    return columns.join(QStringLiteral(", "));
}

int PrintTemplate(const QString &name)
{
    TCalculatorWindow *calculator = CalculatorOrSay(name);
    if (!calculator)
        return 1;
    QStringList header{QStringLiteral("окно")}, example{calculator->objectName()};
    for (const GivenBox &box : PlanDesign(calculator).given) {
        header << box.column;
        const auto value =
            ExampleValues().find(box.box->window()->objectName() + QLatin1Char('.') + box.box->objectName());
        example << (value != ExampleValues().end() ? QString::fromUtf8(value->second) : QString());
    }
    const QByteArray text =
        (header.join(QLatin1Char(';')) + QLatin1Char('\n') + example.join(QLatin1Char(';')) + QLatin1Char('\n'))
            .toUtf8();
    std::fwrite(text.constData(), 1, text.size(), stdout);
    return 0;
}

int DesignOne(const CommandLine &commandLine)
{
    TCalculatorWindow *calculator = CalculatorOrSay(commandLine.designWindow);
    if (!calculator)
        return 1;
    const DesignPlan plan = PlanDesign(calculator);
    QStringList problems;
    const auto pairs = GivenDataPairs(commandLine.given, &problems);
    if (!problems.isEmpty() || !TypeGivenData(plan, pairs, &problems)) {
        SayError(QStringLiteral("исходные данные --given: ") + problems.join(QStringLiteral("; ")));
        return 1;
    }
    if (const std::vector<GivenBox> missing = GivenBoxesNotNumbers(plan); !missing.empty()) {
        SayError(QStringLiteral("в --given не заданы числами: ") + Columns(missing));
        return 1;
    }
    const DesignOutcome outcome = RunDesign(plan, true);
    QString error;
    if (!SaveFile(commandLine.outPath, CalculationToJson(CalculationRecordOf(plan)), &error)) {
        SayError(QStringLiteral("не удалось записать %1: %2").arg(commandLine.outPath, error));
        return 1;
    }
    if (!outcome.Complete()) {
        SayError(QStringLiteral("«%1», шаг %2: %3; расчёт до этого шага записан в %4")
                     .arg(outcome.faultWindow)
                     .arg(outcome.faultStep)
                     .arg(outcome.fault, commandLine.outPath));
        return 1;
    }
    return 0;
}

// The variants' file, or nothing with the reason in *error.
std::optional<std::vector<Variant>> VariantsIn(const QString &path, QStringList *problems, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("не удалось открыть %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    std::vector<Variant> variants = ReadVariants(file.readAll(), problems);
    if (variants.empty()) {
        *error = QStringLiteral("в %1 нет ни одного варианта, который можно рассчитать").arg(path);
        for (const QString &problem : *problems)
            *error += QStringLiteral("; ") + problem;
        return std::nullopt;
    }
    return variants;
}

BatchOptions OptionsFor(const QString &folder, bool simulate)
{
    BatchOptions options;
    options.folder = folder;
    options.program = QStringLiteral("Ортикс-Т");
    options.version = QCoreApplication::applicationVersion();
    if (simulate) {
        options.simulate = [](TCalculatorWindow *calculator) {
            QString error;
            const QJsonObject json = QJsonDocument::fromJson(SimulationJson(calculator, &error)).object();
            if (json.isEmpty())
                return std::pair(error, QString());
            return std::pair(json.value(QStringLiteral("verdict")).toString(),
                             json.value(QStringLiteral("works")).toBool() ? QStringLiteral("true")
                                                                          : QStringLiteral("false"));
        };
    }
    return options;
}

QString Summary(int designed, int rows, const QString &folder)
{
    return QStringLiteral("рассчитано вариантов: %1 из %2; ответы в %3").arg(designed).arg(rows).arg(folder);
}

int DesignBatch(const CommandLine &commandLine)
{
    QStringList problems;
    QString error;
    const std::optional<std::vector<Variant>> variants = VariantsIn(commandLine.batchPath, &problems, &error);
    if (!variants) {
        SayError(error);
        return 1;
    }
    for (const QString &problem : problems)
        SayError(problem);
    int rows = int(variants->size() + problems.size()), designed = 0;
    const bool written = RunBatch(
        *variants, NewCalculation, OptionsFor(commandLine.outPath, commandLine.simulate),
        [&](const VariantOutcome &outcome) {
            designed += outcome.designed;
            SayError(outcome.text);
            return true;
        },
        &error);
    if (!written) {
        SayError(error);
        return 1;
    }
    SayError(Summary(designed, rows, commandLine.outPath));
    return designed == rows ? 0 : 1;
}

} // namespace

std::vector<std::unique_ptr<TCalculatorWindow>> NewCalculation(const QString &name)
{
    if (const CalculatorRow *row = CalculationRowNamed(name))
        return NewCalculationOf(*row);
    return {};
}

void RunBatchWithDialogs(QWidget *parent)
{
    const QString path = QFileDialog::getOpenFileName(parent, QStringLiteral("Пакетный расчёт: варианты"), QString(),
                                                      QStringLiteral("Варианты CSV (*.csv);;Все файлы (*)"));
    if (path.isEmpty())
        return;
    QStringList problems;
    QString error;
    const std::optional<std::vector<Variant>> variants = VariantsIn(path, &problems, &error);
    if (!variants) {
        ShowWarning(parent, error);
        return;
    }
    const QString folder = QFileDialog::getExistingDirectory(parent, QStringLiteral("Пакетный расчёт: папка ответов"),
                                                             QFileInfo(path).absolutePath());
    if (folder.isEmpty())
        return;
    QProgressDialog progress(QStringLiteral("Расчёт вариантов…"), QStringLiteral("Отмена"), 0, int(variants->size()),
                             parent);
    progress.setWindowTitle(QCoreApplication::applicationName());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    const int rows = int(variants->size() + problems.size());
    int done = 0, designed = 0;
    const bool written = RunBatch(
        *variants, NewCalculation, OptionsFor(folder, false),
        [&](const VariantOutcome &outcome) {
            designed += outcome.designed;
            if (!outcome.designed)
                problems << outcome.text;
            progress.setLabelText(outcome.text);
            progress.setValue(++done);
            return !progress.wasCanceled();
        },
        &error);
    progress.close();
    if (!written) {
        ShowWarning(parent, error);
        return;
    }
    QString text = Summary(designed, rows, folder);
    text[0] = text[0].toUpper();
    if (done < int(variants->size()))
        text += QStringLiteral("\nРасчёт отменён после варианта %1.").arg(done);
    constexpr int kShownProblems = 10;
    for (const QString &problem : problems.mid(0, kShownProblems))
        text += QStringLiteral("\n• ") + problem;
    if (problems.size() > kShownProblems)
        text += QStringLiteral("\n… и ещё %1").arg(problems.size() - kShownProblems);
    QMessageBox box(designed == rows ? QMessageBox::Information : QMessageBox::Warning,
                    QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

TCalculatorWindow *CalculatorNamed(const QString &name)
{
    const CalculatorRow *row = CalculationRowNamed(name);
    return row ? row->windowClass.program() : nullptr;
}

int RunDesignCommandLine(const CommandLine &commandLine)
{
    if (!commandLine.batchTemplate.isEmpty())
        return PrintTemplate(commandLine.batchTemplate);
    if (!commandLine.batchPath.isEmpty())
        return DesignBatch(commandLine);
    return DesignOne(commandLine);
}
