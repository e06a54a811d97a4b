#include "app/design_commands.h"

#include "app/command_line.h"
#include "app/form1.h"
#include "calculators/complementary/form5.h"
#include "calculators/complementary/form7.h"
#include "calculators/same_type/form2.h"
#include "calculators/same_type/form3.h"
#include "calculators/same_type/form4.h"
#include "design/automatic_design.h"
#include "design/design_command.h"
#include "files/save_file.h"

#include <QCoreApplication>
#include <QPushButton>

#include <cstdio>
#include <map>

namespace {

// The calculators with the main menu's buttons that open them.
std::vector<std::pair<TCalculatorWindow *, const char *>> Calculators()
{
    return {{Form5, "Button1"}, {Form7, "Button2"}, {Form2, "Button3"}, {Form3, "Button4"}, {Form4, "Button5"}};
}

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

void SayError(const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(text));
}

TCalculatorWindow *CalculatorOrSay(const QString &name)
{
    TCalculatorWindow *calculator = CalculatorNamed(name);
    if (!calculator)
        SayError(QStringLiteral("нет окна «%1»: Form2, Form3, Form4, Form5, Form7 или название схемы").arg(name));
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
    if (!SaveFile(commandLine.outPath, CalculationFileOf(plan), &error)) {
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

} // namespace

TCalculatorWindow *CalculatorNamed(const QString &name)
{
    const QString wanted = name.simplified();
    for (const auto &[calculator, button] : Calculators()) {
        const auto *opening = Form1->findChild<QPushButton *>(QString::fromLatin1(button));
        if (wanted == calculator->objectName()
            || (opening && wanted.compare(opening->text().simplified(), Qt::CaseInsensitive) == 0))
            return calculator;
    }
    return nullptr;
}

int RunDesignCommandLine(const CommandLine &commandLine)
{
    if (!commandLine.batchTemplate.isEmpty())
        return PrintTemplate(commandLine.batchTemplate);
    return DesignOne(commandLine);
}
