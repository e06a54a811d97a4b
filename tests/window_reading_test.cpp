// How a calculator window reads: each box's words and unit, each result's caption, the step each is
// read in and the order of it all, on a window that has never been shown and on one that has.
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"
#include "window/control_kinds.h"
#include "window/window_reading.h"

#include <QLabel>
#include <QLineEdit>

#include <map>

namespace {

using CasesOf = const CalculatorCases &(*)();

struct ControlReading
{
    CasesOf window;
    const char *control; // an edit box or a result
    const char *words;   // a box's words or a result's caption
    const char *unit;    // a box's unit
    int step;
};

const ControlReading kReadings[] = {
    // Given data, above the first step.
    {Form2Cases, "Edit1", "Амплитуда положительных импульсов Uки", "В", 0},
    {Form2Cases, "Edit3", "Максимальная температура окружающей среды tокр", "С", 0},
    {Form5Cases, "Edit2", "Амплитуда выходных импульсов на коллекторе Т2, не менее", "В", 0},
    // A box beside its prompt's end has no unit; the words after a symbol letter's run.
    {Form2Cases, "Edit6", "статический коэффициент передачи тока (минимальное значение)", "", 3},
    {Form5Cases, "Edit7", "транзистора Т1 при температуре tmin", "", 1},
    // A unit in brackets; boxes in one prompt.
    {Form2Cases, "Edit13", "Коэффициент насыщения", "(для триггера - 1,5...2,0)", 5},
    {Form3Cases, "Edit9", "максимальный ток коллектора", "мА", 3},
    {Form7Cases, "Edit22", "Rб2", "Ом", 7},
    // The values accepted right over a step's band are that step's.
    {Form2Cases, "Edit4", "Примем напряжение Ек", "В", 2},
    {Form2Cases, "Edit10", "Примем сопротивления резисторов Rк", "Ом", 4},
    {Form5Cases, "Edit13", "Примем ток I'к1", "мА", 3},
    {Form4Cases, "Edit16", "Примем сопротивление R2", "Ом", 9},
    // Results by their captions; below the last band, the last step's.
    {Form2Cases, "Label14", "Требуемое напряжение источника питания Ек", "", 1},
    {Form2Cases, "Label29", "Сопротивление резисторов Rк, не менее", "", 3},
    {Form2Cases, "Label75", "рабочая температура более", "", 11},
    {Form5Cases, "Label26", "Sн1max", "", 1},
    {Form3Cases, "Label77", "рабочая температура более", "", 13},
    // A window without "Шаг" buttons steps by its buttons; a button captions the result after it.
    {Form6Cases, "Edit3", "Сопротивление нагрузки Rн", "Ом", 1},
    {Form6Cases, "Label15", "ток коллектора Т2", "", 1},
    {Form6Cases, "Label17", "Rк2 (с учётом нагрузки)", "", 2},
    {Form6Cases, "Label40", "Амплитуда импульсов, формируемых на нагрузке", "", 3},
};

// The boxes in reading order: rows top to bottom, a row left to right.
const std::pair<CasesOf, QStringList> kBoxOrders[] = {
    {Form2Cases,
     {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11", "Edit12",
      "Edit13", "Edit14", "Edit15", "Edit16", "Edit17"}},
    {Form5Cases, {"Edit1",  "Edit2",  "Edit3",  "Edit4",  "Edit5",  "Edit6",  "Edit7",  "Edit8",  "Edit9",
                  "Edit10", "Edit11", "Edit25", "Edit13", "Edit12", "Edit14", "Edit15", "Edit16", "Edit17",
                  "Edit18", "Edit19", "Edit20", "Edit21", "Edit22", "Edit23", "Edit24", "Edit26", "Edit27"}},
    {Form6Cases, {"Edit1", "Edit4", "Edit2", "Edit3", "Edit5", "Edit6", "Edit8", "Edit7", "Edit9"}},
};

// What the reading says of each box and result, "words|unit|step" by name, and of each line.
std::map<QString, QString> Described(const WindowReading &reading)
{
    std::map<QString, QString> described;
    for (const BoxReading &box : reading.boxes)
        described[box.box->objectName()] = box.words + '|' + box.unit + '|' + QString::number(reading.StepOf(box.box));
    for (const ResultReading &result : reading.results)
        described[result.label->objectName()] = result.caption + "||" + QString::number(reading.StepOf(result.label));
    for (const ReadLine &line : reading.lines)
        described[line.anchor->objectName()] += line.pieces.join('|') + QString::number(line.step);
    return described;
}

TEST(WindowReading, ReadsEachBoxAndResultByItsWordsAndStep)
{
    for (const ControlReading &row : kReadings) {
        const std::unique_ptr<QWidget> window = row.window().create(); // never shown
        EXPECT_EQ(Described(ReadWindow(window.get()))[QString::fromLatin1(row.control)],
                  QString::fromUtf8(row.words) + '|' + QString::fromUtf8(row.unit) + '|' + QString::number(row.step))
            << row.window().name << " " << row.control;
    }
}

TEST(WindowReading, ReadsBoxesInReadingOrder)
{
    for (const auto &[cases, order] : kBoxOrders) {
        const std::unique_ptr<QWidget> window = cases().create();
        QStringList read;
        for (const BoxReading &box : ReadWindow(window.get()).boxes)
            read << box.box->objectName();
        EXPECT_EQ(read, order) << cases().name;
    }
}

// The fonts that place a prompt's runs of blanks are given at the first show; a window reads with them,
// and the same, before it.
TEST(WindowReading, ReadsTheSameBeforeAndAfterItsFirstShow)
{
    for (CasesOf cases : {Form2Cases, Form3Cases, Form4Cases, Form5Cases, Form6Cases, Form7Cases}) {
        const std::unique_ptr<QWidget> window = cases().create();
        const WindowReading before = ReadWindow(window.get());
        EXPECT_EQ(before.steps.size(), cases().steps) << cases().name;
        EXPECT_EQ(before.boxes.size(), window->findChildren<QLineEdit *>().size()) << cases().name;
        std::map<QLabel *, QFont> fonts;
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->property("kind") != QStringLiteral("picture"))
                fonts[label] = FontOfKind(label);
        }
        window->show();
        EXPECT_EQ(Described(before), Described(ReadWindow(window.get()))) << cases().name;
        for (const auto &[label, font] : fonts)
            EXPECT_EQ(font.toString(), label->font().toString())
                << cases().name << " " << label->objectName().toStdString();
    }
}

} // namespace
