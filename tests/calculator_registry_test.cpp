// Each row of the calculator registry is a whole calculator: a calculator added by half fails here.
#include "app/design_commands.h"
#include "app/form1.h"
#include "calculators/registry.h"
#include "design/batch.h"
#include "documents/calculation_document.h"
#include "simulation/circuit.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"
#include "window/calculator_window.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

// The names of the controls a layout lays out; the first is the window's.
QStringList LaidOut(const QString &layout)
{
    QFile file(QStringLiteral(ORTIX_TEST_FORMS "/") + layout);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << layout.toStdString();
    QStringList controls;
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("widget"))
            controls << reader.attributes().value(QLatin1String("name")).toString();
    }
    return controls;
}

TEST(CalculatorRegistry, EveryRowIsAWholeCalculator)
{
    QStringList names, opened, layouts{QStringLiteral("form1.ui")}, menuButtons, buttons, tables;
    Form1->show();
    for (const CalculatorRow &row : CalculatorRows()) {
        const QString name = QLatin1String(row.name);
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CalculatorRowNamed(name), &row) << "one row for each window";
        names << name;
        layouts << QLatin1String(row.layout);

        // Its class makes a window of its name, with every control its layout lays out.
        const std::unique_ptr<TCalculatorWindow> fresh(row.windowClass.create());
        EXPECT_EQ(fresh->objectName(), name);
        const QStringList controls = LaidOut(QLatin1String(row.layout));
        EXPECT_EQ(controls.value(0), name) << row.layout << " lays out another window";
        for (const QString &control : controls.mid(1))
            EXPECT_TRUE(fresh->findChild<QWidget *>(control)) << row.layout << ": " << control.toStdString();

        // The program's window is in its global, its circuit registered under its name, its button opens it.
        TCalculatorWindow *program = row.windowClass.program();
        ASSERT_TRUE(program && program != fresh.get());
        EXPECT_EQ(program->objectName(), name);
        EXPECT_EQ(HasCircuit(name), row.circuit);
        if (row.mainMenuButton) {
            menuButtons << QLatin1String(row.mainMenuButton);
            EXPECT_EQ(TCalculationDocument::Of(program)->Calculator(), program);
            Click(Find<QPushButton>(Form1, row.mainMenuButton));
            EXPECT_TRUE(QTest::qWaitForWindowActive(program)) << row.mainMenuButton;
            program->close();
        }

        // Its following calculation is a row's window, joined to it in the program's and in a fresh calculation.
        if (const CalculatorRow *following = CalculatorRowNamed(QLatin1String(row.following ? row.following : ""))) {
            opened << QLatin1String(row.following);
            EXPECT_EQ(program->FollowingCalculation(), following->windowClass.program());
            EXPECT_EQ(TCalculationDocument::Of(following->windowClass.program()), TCalculationDocument::Of(program));
            const auto calculation = NewCalculationOf(row);
            ASSERT_EQ(calculation.size(), 2u);
            EXPECT_EQ(calculation[0]->FollowingCalculation(), calculation[1].get());
            EXPECT_EQ(calculation[1]->objectName(), QLatin1String(row.following));
        } else {
            EXPECT_FALSE(row.following) << "opens no window of a row";
        }
    }
    // Each window is opened by its main-menu button or else by one other window; every button of the main
    // menu, every layout and every window's tables belong to a row.
    for (const CalculatorRow &row : CalculatorRows())
        EXPECT_NE(row.mainMenuButton != nullptr, opened.count(QLatin1String(row.name)) == 1) << row.name;
    for (const QPushButton *button : Form1->findChildren<QPushButton *>())
        buttons << button->objectName();
    for (const auto cases : EveryWindowsCases())
        tables << QLatin1String(cases().name);
    for (QStringList *list : {&buttons, &menuButtons, &layouts})
        list->sort();
    EXPECT_EQ(buttons, menuButtons);
    EXPECT_EQ(QDir(QStringLiteral(ORTIX_TEST_FORMS)).entryList({QStringLiteral("*.ui")}), layouts);
    EXPECT_EQ(tables, names);
}

// The variants' template of each calculation, as the program prints it, designs it to its end by its example.
TEST(CalculatorRegistry, EveryCalculationsTemplateExampleDesignsIt)
{
    QTemporaryDir folder;
    for (const CalculatorRow *row : CalculationRows()) {
        QProcess program;
        program.start(QStringLiteral(ORTIX_T_PATH), {QStringLiteral("--batch-template"), QLatin1String(row->name)});
        ASSERT_TRUE(program.waitForFinished(60000));
        QStringList problems;
        const std::vector<Variant> variants = ReadVariants(program.readAllStandardOutput(), &problems);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
        ASSERT_EQ(variants.size(), 1u) << row->name;
        // Every box of the examples is a column, those that only the report prints (tmin, tmax) too.
        const CalculatorRow *following = row->following ? CalculatorRowNamed(QLatin1String(row->following)) : nullptr;
        EXPECT_EQ(std::count_if(variants[0].given.begin(), variants[0].given.end(),
                                [](const auto &cell) { return !cell.second.isEmpty(); }),
                  QString::fromUtf8(row->exampleGiven).count(QLatin1Char('='))
                      + (following ? QString::fromUtf8(following->exampleGiven).count(QLatin1Char('=')) : 0))
            << row->name;
        BatchOptions options;
        options.folder = folder.path();
        const Outcome<> written = RunBatch(variants, NewCalculation, options, [&](const VariantOutcome &outcome) {
            EXPECT_TRUE(outcome.designed) << outcome.text.toStdString();
            return true;
        });
        EXPECT_TRUE(written) << written.Message().toStdString();
    }
}

} // namespace
