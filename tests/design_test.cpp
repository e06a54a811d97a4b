// The design by standard values: its rule for each kind of accept box, and each window designed by the
// command against the same design typed box by box.
#include "app/design_commands.h"
#include "calculators/complementary/form5.h"
#include "calculators/same_type/form2.h"
#include "design/accept_rule.h"
#include "design/batch.h"
#include "design/design_command.h"
#include "documents/calculation_document.h"
#include "documents/window_records.h"
#include "files/save_file.h"
#include "number_text/number_text.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"
#include "window_look/control_kinds.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>

namespace {

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

struct RuleRow
{
    std::vector<double> values;
    const char *resultUnit;
    const char *caption;
    const char *boxUnit;
    std::optional<AcceptKind> kind; // none: no value
    const char *value;
    const char *how;
};

TEST(AcceptRule, EachKindOfResultHasItsRule)
{
    // clang-format off
    const RuleRow rows[] = {
        {{2057.14285714286}, " Ом", "Сопротивление резистора Rк1, не более", "Ом", AcceptKind::BelowBound, "2000", "ближайшее E24 не более 2057,14 Ом"},
        {{316.227766016838}, " Ом", "Сопротивление резисторов Rк, не менее", "Ом", AcceptKind::AboveBound, "330", "ближайшее E24 не менее 316,228 Ом"},
        {{2000}, " Ом", "Rк, не более", "Ом", AcceptKind::BelowBound, "2000", "ближайшее E24 не более 2000 Ом"},
        {{3084023.5}, " Ом", "Rк, не более", "Ом", AcceptKind::BelowBound, "3000000", "ближайшее E24 не более 3084020 Ом"},
        {{0.0000123456789}, " мкА", "I'к2: не менее", "мкА", AcceptKind::AboveBound, "1,3E-5", "ближайшее E24 не менее 1,23457E-5 мкА"},
        {{50}, " мкА", "Ток коллектора открытого транзистора Т1 I'к1: более", "мА", AcceptKind::AboveBound, "0,051", "ближайшее E24 более 0,05 мА"},
        {{0.102}, " мА", "I'к2: не менее", "мА", AcceptKind::AboveBound, "0,11", "ближайшее E24 не менее 0,102 мА"},
        {{5}, " В", "Модуль значения напряжения источника питания Ек1 более", "В", AcceptKind::AboveBound, "5,1", "ближайшее E24 более 5 В"},
        {{22}, " В", "напряжение менее", "В", AcceptKind::BelowBound, "20", "ближайшее E24 менее 22 В"},
        {{31.6227766016838}, " Ом", "Сопротивление резистора Rэ", "Ом", AcceptKind::Nearest, "33", "ближайшее E24 к 31,6228 Ом"},
        {{139.393939393939}, " пФ", "Ёмкость ускоряющих конденсаторов С", "пФ", AcceptKind::Nearest, "130", "ближайшее E24 к 139,394 пФ"},
        {{11, 12}, " В", "Требуемое напряжение источника питания Ек", "В", AcceptKind::SmallestInRange, "11", "наименьшее E24 в пределах 11...12 В"},
        {{9.9, 11.7}, " В", "Ек2 более", "В", AcceptKind::SmallestInRange, "10", "наименьшее E24 в пределах 9,9...11,7 В"},
        {{860, 1720}, " Ом", "Сопротивление резистора Rк1", "Ом", AcceptKind::SmallestInRange, "910", "наименьшее E24 в пределах 860...1720 Ом"},
        {{5.2, 5.5}, " В", "U'э", "В", AcceptKind::EndOfRange, "5,2", "нижняя граница диапазона 5,2...5,5 В"},
        {{5.2, 5.5}, " В", "Ек2 более", "В", AcceptKind::EndOfRange, "5,5", "верхняя граница диапазона 5,2...5,5 В"},
        {{46}, " пФ", "С", "", AcceptKind::Nearest, "47", "ближайшее E24 к 46 пФ"},
        {{5}, " В", "Rк", "Ом", std::nullopt, "", ""},
        {{}, "", "Rк", "Ом", std::nullopt, "", ""},
        {{-5}, " Ом", "Rк", "Ом", std::nullopt, "", ""},
    };
    // clang-format on
    for (const RuleRow &row : rows) {
        const auto accepted = ValueToAccept(row.values, Utf8(row.resultUnit), Utf8(row.caption), Utf8(row.boxUnit));
        ASSERT_EQ(accepted.has_value(), row.kind.has_value()) << row.caption;
        if (!accepted)
            continue;
        EXPECT_EQ(accepted->kind, *row.kind) << row.caption;
        EXPECT_EQ(NumberToText(accepted->value), Utf8(row.value)) << row.caption;
        EXPECT_EQ(accepted->how, Utf8(row.how)) << row.caption;
    }
}

const QString kReplace = QStringLiteral("Заменить");
const QString kKeep = QStringLiteral("Оставить введённые");

// A calculator of its own, with the window its calculation opens.
struct Calculation
{
    std::unique_ptr<QWidget> calculator;
    std::unique_ptr<QWidget> following;
    std::vector<QWidget *> Windows() const
    {
        std::vector<QWidget *> windows{calculator.get()};
        if (following)
            windows.push_back(following.get());
        return windows;
    }
};

Calculation Open(const CalculatorCases &cases)
{
    Calculation calculation{cases.create(), nullptr};
    if (auto *form5 = dynamic_cast<TForm5 *>(calculation.calculator.get())) {
        calculation.following = Form6Cases().create();
        form5->SetFollowingCalculation(calculation.following.get());
    }
    for (QWidget *window : calculation.Windows())
        window->show();
    return calculation;
}

// Every box's and result's text, by window and name.
std::map<QString, QString> TextsOf(const Calculation &calculation)
{
    std::map<QString, QString> texts;
    for (QWidget *window : calculation.Windows()) {
        for (const QLineEdit *edit : window->findChildren<QLineEdit *>())
            texts[window->objectName() + edit->objectName()] = edit->text();
        for (const QLabel *label : window->findChildren<QLabel *>())
            texts[window->objectName() + label->objectName()] = label->text();
    }
    return texts;
}

// The full run's given data and accepted values, in every window of the calculation.
void TypeFullRun(const Calculation &calculation, const CalculatorCases &cases)
{
    TypeInto(calculation.calculator.get(), cases.fullRunInputs);
    if (calculation.following)
        TypeInto(calculation.following.get(), Form6Cases().fullRunInputs);
}

QStringList Design(const Calculation &calculation, const QString &answer)
{
    auto *calculator = static_cast<TCalculatorWindow *>(calculation.calculator.get());
    auto *command = new TDesignCommand(calculator);
    QStringList texts;
    for (const MessageBoxSeen &box : CollectMessageBoxes([&] { command->Run(calculator); }, answer))
        texts << box.text;
    return texts;
}

// The window's full-run given data, and the standard values a person reads off each result's caption.
struct HandDesign
{
    const CalculatorCases &(*cases)();
    Texts accepted;
    Texts followingAccepted;
};

class DesignedWindow : public ::testing::TestWithParam<HandDesign>
{
};

TEST_P(DesignedWindow, EqualsTheSameDesignTypedBoxByBox)
{
    const CalculatorCases &cases = GetParam().cases();
    const Calculation designed = Open(cases);
    TypeFullRun(designed, cases);
    // The full run's accepted values are typed over: the command replaces them.
    EXPECT_EQ(Design(designed, kReplace).size(), 1);

    const Calculation typed = Open(cases);
    TypeInto(typed.calculator.get(), cases.fullRunInputs);
    WorkThrough(typed.calculator.get(), GetParam().accepted);
    if (typed.following) {
        TypeInto(typed.following.get(), Form6Cases().fullRunInputs);
        WorkThrough(typed.following.get(), GetParam().followingAccepted);
    }
    const std::map<QString, QString> typedTexts = TextsOf(typed);
    for (const auto &[name, text] : TextsOf(designed))
        EXPECT_EQ(text, typedTexts.at(name)) << name.toStdString();

    // Accepted values typed already and kept: the command is the full run pressed step by step.
    const Calculation kept = Open(cases);
    TypeFullRun(kept, cases);
    EXPECT_EQ(Design(kept, kKeep).size(), 1);
    for (const auto &[label, text] : cases.fullRunResults)
        EXPECT_EQ(Find<QLabel>(kept.calculator.get(), label)->text(), Utf8(text)) << cases.name << " " << label;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    EveryCalculator, DesignedWindow,
    ::testing::Values(
        HandDesign{Form2Cases, {{"Edit4", "11"}, {"Edit10", "330"}, {"Edit12", "91000"}, {"Edit14", "6200"}, {"Edit15", "130"}, {"Edit17", "1800"}}, {}},
        HandDesign{Form3Cases, {{"Edit5", "12"}, {"Edit11", "330"}, {"Edit12", "33"}, {"Edit13", "68000"}, {"Edit15", "6200"}, {"Edit16", "130"}, {"Edit18", "1800"}}, {}},
        HandDesign{Form4Cases, {{"Edit5", "7,5"}, {"Edit11", "430"}, {"Edit12", "910"}, {"Edit13", "160"}, {"Edit14", "27000"}, {"Edit15", "13000"}, {"Edit16", "10000"}}, {}},
        HandDesign{Form5Cases, {{"Edit13", "0,051"}, {"Edit12", "0,11"}, {"Edit18", "5,1"}, {"Edit19", "11"}, {"Edit20", "1,1"}, {"Edit21", "16000"}, {"Edit22", "68000"}, {"Edit23", "1800000"}, {"Edit24", "100000"}, {"Edit26", "240000"}},
                   {{"Edit1", "11"}, {"Edit4", "68000"}, {"Edit2", "1,1"}, {"Edit6", "11"}, {"Edit8", "68000"}, {"Edit7", "1,1"}}},
        HandDesign{Form7Cases, {{"Edit11", "11"}, {"Edit12", "10"}, {"Edit15", "0,051"}, {"Edit16", "0,027"}, {"Edit21", "6800000"}, {"Edit22", "9100000"}, {"Edit23", "180000"}, {"Edit24", "300000"}, {"Edit29", "240000"}, {"Edit30", "300000"}}, {}}),
    [](const ::testing::TestParamInfo<HandDesign> &info) { return std::string(info.param.cases().name); });
// clang-format on

// A box only a person can fill that is not a number: one message names every such box, and nothing runs;
// nor does anything run when the question about the accepted values typed already is cancelled.
TEST(Design, NamesTheGivenBoxesToFillAndRunsNothing)
{
    struct Row
    {
        const CalculatorCases &(*cases)();
        Texts retyped;
        Texts followingRetyped;
        std::vector<const char *> named;
        const char *answer = "Заменить";
    };
    const Row rows[] = {
        {Form2Cases, {}, {}, {}, "Cancel"},
        {Form2Cases, {{"Edit1", ""}}, {}, {"Амплитуда положительных импульсов Uки"}},
        {Form2Cases,
         {{"Edit3", "abc"}, {"Edit13", ""}},
         {},
         {"Максимальная температура окружающей среды tокр", "Коэффициент насыщения"}},
        {Form5Cases,
         {{"Edit4", ""}},
         {{"Edit3", ""}},
         {"Сопротивление нагрузки Rн"}}, // tmax: only the report prints it
        {Form7Cases, {{"Edit28", "x"}}, {}, {"Обратный базовый ток Iб02 закрытого транзистора Т2 при tmax"}},
    };
    for (const Row &row : rows) {
        const CalculatorCases &cases = row.cases();
        const Calculation calculation = Open(cases);
        TypeFullRun(calculation, cases);
        TypeInto(calculation.calculator.get(), row.retyped);
        if (calculation.following)
            TypeInto(calculation.following.get(), row.followingRetyped);
        const std::map<QString, QString> before = TextsOf(calculation);
        const QStringList seen = Design(calculation, QString::fromUtf8(row.answer));
        ASSERT_EQ(seen.size(), 1) << cases.name;
        for (const char *named : row.named)
            EXPECT_TRUE(seen.front().contains(QStringLiteral("• ") + Utf8(named) + QLatin1Char('\n'))
                        || seen.front().endsWith(QStringLiteral("• ") + Utf8(named)))
                << seen.front().toStdString();
        EXPECT_EQ(seen.front().count(QStringLiteral("• ")), qsizetype(row.named.size())) << seen.front().toStdString();
        EXPECT_EQ(TextsOf(calculation), before) << cases.name;
    }
}

// One undo gives every box the command filled its text back, with its tooltip; typing over a filled box
// forgets the undo, so that it never takes the typing away.
TEST(Design, OneUndoRestoresEveryBoxItFilled)
{
    ClearWindow(Form2);
    Form2->show();
    Form2->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form2));
    TypeInto(Form2, Form2Cases().fullRunInputs);
    TypeInto(Form2, {{"Edit10", ""}, {"Edit12", ""}, {"Edit14", ""}, {"Edit15", ""}, {"Edit17", ""}});
    std::map<QString, QString> before;
    for (const QLineEdit *edit : Form2->findChildren<QLineEdit *>())
        before[edit->objectName()] = edit->text();
    QAction *undo = MenuAction(Form2, QStringLiteral("&Отменить"));
    EXPECT_FALSE(undo->isEnabled());
    CollectMessageBoxes([] { QTest::keyClick(Form2, Qt::Key_E, Qt::ControlModifier); }, kReplace);
    EXPECT_EQ(Find<QLineEdit>(Form2, "Edit4")->text(), QStringLiteral("11"));
    // The question box gave the focus back; the headless platform leaves the window to be activated again.
    Form2->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form2));
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_EQ(Find<QLineEdit>(Form2, "Edit10")->toolTip(),
              QStringLiteral("подставлено: ближайшее E24 не менее 316,228 Ом"));
    ASSERT_TRUE(undo->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    for (const QLineEdit *edit : Form2->findChildren<QLineEdit *>()) {
        EXPECT_EQ(edit->text(), before[edit->objectName()]) << edit->objectName().toStdString();
        EXPECT_EQ(edit->toolTip(), QString()) << edit->objectName().toStdString();
    }
    EXPECT_FALSE(undo->isEnabled());

    CollectMessageBoxes([] { QTest::keyClick(Form2, Qt::Key_E, Qt::ControlModifier); }, kReplace);
    Type(Find<QLineEdit>(Form2, "Edit17"), QStringLiteral("2000"));
    EXPECT_FALSE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(Find<QLineEdit>(Form2, "Edit17")->text(), QStringLiteral("2000"));
    ClearWindow(Form2);
    Form2->hide();
}

// The command line designs what the menu command designs, to the last bit.
TEST(Design, TheCommandLineDesignsAsTheMenuCommand)
{
    ClearWindow(Form2);
    TypeInto(Form2, Form2Cases().fullRunInputs);
    TypeInto(Form2, {{"Edit4", ""}, {"Edit10", ""}, {"Edit12", ""}, {"Edit14", ""}, {"Edit15", ""}, {"Edit17", ""}});
    TDesignCommand::Of(Form2)->Run(Form2);
    const QByteArray designed = CalculationToJson(TCalculationDocument::Of(Form2)->Record());
    ClearWindow(Form2);

    const QString out = QDir::temp().filePath(QStringLiteral("ortix-design-test.ortix"));
    QFile::remove(out);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("ru_RU.UTF-8"));
    program.setProcessEnvironment(environment);
    program.start(
        QStringLiteral(ORTIX_T_PATH),
        {QStringLiteral("--design"), QStringLiteral("Симметричный триггер с внешним источником смещения"),
         QStringLiteral("--given"),
         QStringLiteral("Uки=10;Fп=20;tокр=50;Edit5=5;Edit6=30;Edit7=2;Edit8=50;Edit9=70;Еб=1.5;Edit13=1,5;Edit16=2"),
         QStringLiteral("--out"), out});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(FileBytes(out)), QString::fromUtf8(designed));
    QFile::remove(out);
}

// Form2's full-run given data under its template's header.
const char kForm2Header[] = "окно;Uки;Fп;tокр;Edit5;Edit6;Edit7;Edit8;Edit9;Еб;Edit13;Edit16\n";
const char kForm2Given[] = "10;20;50;5;30;2;50;70;1,5;1,5;2";

struct BatchRun
{
    std::vector<VariantOutcome> outcomes;
    QStringList problems;
    bool written = false;
};

BatchRun RunCsv(const QByteArray &csv, const QString &folder, int cancelAfter = -1)
{
    BatchRun run;
    const std::vector<Variant> variants = ReadVariants(csv, &run.problems);
    BatchOptions options;
    options.folder = folder;
    run.written = RunBatch(variants, NewCalculation, options, [&](const VariantOutcome &outcome) {
                      run.outcomes.push_back(outcome);
                      return int(run.outcomes.size()) != cancelAfter;
                  }).Done();
    return run;
}

QStringList Files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// Good rows are designed, each kind of bad row is named by its row and column and skipped, the others go on.
TEST(Batch, DesignsTheGoodRowsAndNamesEachBadOne)
{
    struct Row
    {
        const char *cells;
        const char *said; // a part of what the batch says of it
        bool designed;
    };
    const Row rows[] = {
        {"Form2;10;20;50;5;30;2;50;70;1.5;1,5;2", "вариант 1 (строка 2, Form2): рассчитан, вариант-001.ortix", true},
        {"Симметричный триггер с внешним источником смещения;9;20;50;5;30;2;50;70;1,5;1,5;2", "рассчитан", true},
        {"Form2;abc;20;50;5;30;2;50;70;1,5;1,5;2", "пропущен: «Uки»: «abc» — не число", false},
        {"Form3;10;20;50;5;30;2;50;70;1,5;1,5;2", "пропущен: «Edit5»: такого поля исходных данных нет", false},
        {"Form2;10;20;50;5;30;2;50;70;;1,5;2", "пропущен: не заданы числами: Еб", false},
        {"Form9;10", "пропущен: нет окна «Form9»", false},
        {"Form2;10;20;50;5;30;2;50;20;1,5;1,5;2",
         "остановлен: «Симметричный триггер с внешним источником смещения», шаг 3: Floating point division by zero",
         false},
    };
    QByteArray csv = kForm2Header;
    for (const Row &row : rows)
        csv += QByteArray(row.cells) + "\n";
    csv += ";10\n"; // no window
    const QTemporaryDir folder;
    const BatchRun run = RunCsv(csv, folder.path());
    ASSERT_TRUE(run.written);
    EXPECT_EQ(run.problems, QStringList{QStringLiteral("вариант 8 (строка 9): не указано окно")});
    ASSERT_EQ(run.outcomes.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_TRUE(run.outcomes[i].text.contains(Utf8(rows[i].said))) << run.outcomes[i].text.toStdString();
        EXPECT_EQ(run.outcomes[i].designed, rows[i].designed) << rows[i].cells;
    }
    // A variant stopped by a fault keeps what was done, in its file and its answers.
    EXPECT_EQ(Files(folder.path()),
              QStringList({"вариант-001.ortix", "вариант-002.ortix", "вариант-007.ortix", "ответы.csv", "ответы.html",
                           "ответы.pdf"}));
    const QStringList lines = QString::fromUtf8(FileBytes(folder.filePath(QStringLiteral("ответы.csv"))))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(";Шаг 4: Примем сопротивления резисторов Rк, Ом;")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1;Form2;10;20;50;5;30;2;50;70;1,5;1,5;2;11...12 В;")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral(";«Симметричный триггер с внешним источником смещения», шаг 3: "
                                                 "Floating point division by zero")))
        << lines[3].toStdString();
    const QString key = QString::fromUtf8(FileBytes(folder.filePath(QStringLiteral("ответы.html"))));
    EXPECT_EQ(key.count(QRegularExpression(QStringLiteral("<h1[^>]*>Вариант (1|2|7)</h1>"))), 3);
    EXPECT_TRUE(key.contains(QStringLiteral("<title>Ответы</title>")));

    // The variant's file is the design the menu command makes of the same given data.
    const Calculation calculation = Open(Form2Cases());
    TypeInto(calculation.calculator.get(), Form2Cases().fullRunInputs);
    Design(calculation, kReplace);
    EXPECT_EQ(QString::fromUtf8(FileBytes(folder.filePath(QStringLiteral("вариант-001.ortix")))),
              QString::fromUtf8(CalculationToJson(
                  {',', {RecordOf(static_cast<TCalculatorWindow *>(calculation.calculator.get()))}})));
}

// Cells quoted and apart by commas read as by semicolons; a cancel keeps the variants finished before it.
TEST(Batch, CancellingKeepsTheFinishedVariants)
{
    QByteArray csv = QByteArray(kForm2Header).replace(';', ',');
    for (int variant = 0; variant < 3; ++variant)
        csv += "Form2,\"" + QByteArray(kForm2Given).replace(";", "\",\"") + "\"\n";
    const QTemporaryDir folder;
    const BatchRun run = RunCsv(csv, folder.path(), 2);
    ASSERT_TRUE(run.written);
    ASSERT_EQ(run.outcomes.size(), 2);
    EXPECT_TRUE(run.outcomes[1].designed);
    EXPECT_EQ(Files(folder.path()),
              QStringList({"вариант-001.ortix", "вариант-002.ortix", "ответы.csv", "ответы.html", "ответы.pdf"}));
    EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("ответы.csv"))).count('\n'), 3);

    // The key read back page by page: each variant's report from a new page under «Вариант N», numbered on its own.
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-enc"), QStringLiteral("UTF-8"), folder.filePath(QStringLiteral("ответы.pdf")),
                     QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished());
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeLast();
    QStringList headings;
    for (const QString &page : pages) {
        const QString heading = page.trimmed().section(QLatin1Char('\n'), 0, 0);
        EXPECT_EQ(heading.startsWith(QStringLiteral("Вариант")), page.trimmed().contains(QStringLiteral("стр. 1 из")))
            << page.toStdString();
        if (heading.startsWith(QStringLiteral("Вариант")))
            headings << heading;
    }
    EXPECT_EQ(headings, QStringList({"Вариант 1", "Вариант 2"}));
    // The schematic is stored once, however many variants show it.
    EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("ответы.pdf"))).count("/Subtype /Form"), 1);
}

// An interrupt on the command line stops a batch as a cancel does: the finished variants keep their files and
// answers, and nothing hidden is left behind.
TEST(Batch, AnInterruptOnTheCommandLineKeepsTheFinishedVariants)
{
    const QTemporaryDir folder;
    const QString variants = folder.filePath(QStringLiteral("варианты.csv"));
    ASSERT_TRUE(SaveFile(variants, kForm2Header + ("Form2;" + QByteArray(kForm2Given) + "\n").repeated(3000)));
    for (const int signal : {SIGINT, SIGTERM}) {
        const QString out = folder.filePath(QString::number(signal));
        QProcess program;
        program.setReadChannel(QProcess::StandardError);
        program.start(QStringLiteral(ORTIX_T_PATH),
                      {QStringLiteral("--batch"), variants, QStringLiteral("--out"), out});
        ASSERT_TRUE(program.waitForReadyRead(60000)); // the first variant is designed
        ::kill(program.processId(), signal);
        ASSERT_TRUE(program.waitForFinished(120000) && program.exitStatus() == QProcess::NormalExit) << signal;
        EXPECT_TRUE(
            QString::fromUtf8(program.readAllStandardError()).contains(QStringLiteral("прерван после варианта")));
        const QStringList files = QDir(out).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(files.filter(QStringLiteral("вариант-")).size() + 3, files.size()) << files.join(' ').toStdString();
        EXPECT_EQ(FileBytes(QDir(out).filePath(QStringLiteral("ответы.csv"))).count('\n'), files.size() - 2);
    }
}

// An earlier batch's answers in the chosen folder are replaced only when the user agrees; an empty folder asks nothing.
TEST(Batch, EarlierAnswersAreReplacedOnlyWhenTheUserAgrees)
{
    const QTemporaryDir folder;
    struct Case
    {
        const char *file; // in the folder before
        const char *answer;
        size_t asked;
        bool may;
    };
    for (const Case &row : {Case{nullptr, "", 0, true}, Case{"вариант-001.ortix", "Отмена", 1, false},
                            Case{"ответы.csv", "Заменить", 1, true}}) {
        if (row.file)
            ASSERT_TRUE(SaveFile(folder.filePath(Utf8(row.file)), "1"));
        bool may = !row.may;
        const auto seen =
            CollectMessageBoxes([&] { may = MayWriteAnswersInto(nullptr, folder.path()); }, Utf8(row.answer));
        ASSERT_EQ(seen.size(), row.asked) << row.answer;
        EXPECT_EQ(may, row.may) << row.answer;
    }
}

// A hidden window (a batch's, one closed) has its results sized to their texts as it shows again.
TEST(Batch, AHiddenWindowsResultsFitTheirTextsAsItShows)
{
    const std::vector<std::unique_ptr<TCalculatorWindow>> calculation = NewCalculation(QStringLiteral("Form2"));
    TCalculatorWindow *calculator = calculation.front().get();
    calculator->show();
    calculator->hide();
    TypeInto(calculator, Form2Cases().fullRunInputs);
    ASSERT_TRUE(RunDesign(PlanDesign(calculator), true).Complete());
    calculator->show();
    int written = 0;
    for (const QLabel *label : calculator->findChildren<QLabel *>()) {
        if (!IsResultLabel(label) || label->text().isEmpty())
            continue;
        ++written;
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << label->text().toStdString();
    }
    EXPECT_GT(written, 10);
    calculator->hide();
}

// A variant's file that cannot be written stops the batch, naming the file.
TEST(Batch, AFileThatCannotBeWrittenStopsIt)
{
    const QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("вариант-002.ortix")));
    QStringList problems;
    BatchOptions options;
    options.folder = folder.path();
    const std::vector<Variant> variants =
        ReadVariants(QByteArray(kForm2Header) + "Form2;" + kForm2Given + "\nForm2;" + kForm2Given + "\n", &problems);
    const Outcome<> written = RunBatch(variants, NewCalculation, options, [](const VariantOutcome &) { return true; });
    EXPECT_TRUE(written.Failed());
    EXPECT_TRUE(written.Message().contains(QStringLiteral("вариант-002.ortix"))) << written.Message().toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("ответы.csv"))));
}

} // namespace
