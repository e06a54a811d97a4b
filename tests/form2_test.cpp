#include "calculators/same_type/form2.h"
#include "tests/support/window_driver.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <utility>

namespace {

using Texts = std::vector<std::pair<const char *, const char *>>;

const Texts kFullRunInputs = {
    {"Edit1", "10"},    {"Edit2", "20"},     {"Edit3", "50"},    {"Edit4", "12"},    {"Edit5", "5"},
    {"Edit6", "30"},    {"Edit7", "2"},      {"Edit8", "50"},    {"Edit9", "70"},    {"Edit10", "1000"},
    {"Edit11", "1,5"},  {"Edit12", "47000"}, {"Edit13", "1,5"},  {"Edit14", "18000"}, {"Edit15", "47"},
    {"Edit16", "2"},    {"Edit17", "5100"},
};

// " мA" and " B" of steps 8 and 11 end in Latin letters, " мА" of step 11 in Cyrillic ones.
const Texts kFullRunResults = {
    {"Label14", "11...12 В"},
    {"Label17", "24 В"},
    {"Label19", "28,5714285714286 кГц"},
    {"Label27", "31,6227766016838 мА"},
    {"Label29", "316,227766016838 Ом"},
    {"Label33", "16 мкА"},
    {"Label35", "93750 Ом"},
    {"Label39", "17989,898989899 Ом"},
    {"Label42", "46 пФ"},
    {"Label45", "0,141 мкс"},
    {"Label47", "1,83516923076923 мкс"},
    {"Label49", "50 мкс"},
    {"Label51", "12 м\x41"},
    {"Label53", "6 \x42"},
    {"Label56", "1 мкс"},
    {"Label58", "2,6 мкс"},
    {"Label60", "2 мкс"},
    {"Label62", "5,6 мкс"},
    {"Label64", "174,185681936945 кГц"},
    {"Label66", "5000 Ом"},
    {"Label69", "3267,97385620915...4901,96078431373 пФ"},
    {"Label71", "12 мА"},
    {"Label73", "12 \x42"},
    {"Label75", "50 С"},
};

QString Utf8(const char *text) { return QString::fromUtf8(text); }

// A fresh window for each case: every quantity 0, every box and result empty.
class Form2Test : public ::testing::Test
{
protected:
    void SetUp() override { form->show(); }

    void TypeAll(const Texts &inputs)
    {
        for (const auto &[edit, text] : inputs)
            Type(Find<QLineEdit>(form.get(), edit), Utf8(text));
    }

    std::vector<MessageBoxSeen> Press(int step)
    {
        const std::string name = "Button" + std::to_string(step);
        return ClickAndCollect(Find<QPushButton>(form.get(), name.c_str()));
    }

    void FullRun()
    {
        TypeAll(kFullRunInputs);
        for (int step = 1; step <= 11; ++step)
            ASSERT_TRUE(Press(step).empty()) << "step " << step;
    }

    QString Text(const char *label) { return Find<QLabel>(form.get(), label)->text(); }

    void ExpectTexts(const Texts &expected, const std::string &context)
    {
        for (const auto &[label, text] : expected)
            EXPECT_EQ(Text(label), Utf8(text)) << label << " in " << context;
    }

    std::unique_ptr<TForm2> form = std::make_unique<TForm2>();
};

TEST_F(Form2Test, AFullRunWritesEveryResult)
{
    FullRun();
    ExpectTexts(kFullRunResults, "the full run");
    EXPECT_TRUE(Text("Label51").endsWith(QStringLiteral(" м") + QChar(0x41)));
    EXPECT_TRUE(Text("Label71").endsWith(QStringLiteral(" м") + QChar(0x0410)));
}

TEST_F(Form2Test, RunningTheStepsAgainGivesTheSameTexts)
{
    FullRun();
    for (int step = 1; step <= 11; ++step)
        EXPECT_TRUE(Press(step).empty());
    ExpectTexts(kFullRunResults, "the second run");
}

// One case: what is typed and pressed, the report of the last press, and label texts afterwards.
struct Scenario
{
    const char *name;
    bool afterFullRun;
    std::vector<std::pair<const char *, const char *>> typed; // edit, text; "" presses no key
    std::vector<int> steps;                                    // pressed in order; the last one is judged
    const char *report;                                        // nullptr: no report
    Texts labels;
};

const Scenario kScenarios[] = {
    // Results of particular inputs.
    {"an amplitude of 9", false, {{"Edit1", "9"}}, {1}, nullptr, {{"Label14", "9,9...10,8 В"}}},
    {"a frequency of 7 kHz", false, {{"Edit4", "12"}, {"Edit2", "7"}}, {2}, nullptr, {{"Label19", "10 кГц"}}},
    {"45 degrees and 1 µA",
     false,
     {{"Edit8", "50"}, {"Edit9", "70"}, {"Edit3", "45"}, {"Edit11", "2"}, {"Edit7", "1"}},
     {3, 4},
     nullptr,
     {{"Label33", "5,65685424949238 мкА"}, {"Label35", "353553,390593274 Ом"}}},
    {"a saturation coefficient of 1", true, {{"Edit13", "1"}}, {5, 8, 9}, nullptr, {{"Label56", "0 мкс"}}},
    {"Fp changed after step 2", true, {{"Edit2", "40"}}, {7}, nullptr, {{"Label49", "50 мкс"}}},
    {"a typed text printed back at a tiny magnitude",
     false,
     {{"Edit8", "50"}, {"Edit9", "70"}, {"Edit3", "1E-210"}, {"Edit4", "1"}, {"Edit2", "1"}, {"Edit17", "1"}},
     {3, 2, 11},
     nullptr,
     {{"Label75", "1E-210 С"}}},

    // Steps pressed before the steps that set their quantities.
    {"step 3 before step 1", false, {{"Edit8", "50"}, {"Edit9", "70"}, {"Edit3", "50"}}, {3}, nullptr,
     {{"Label27", "31,6227766016838 мА"}, {"Label29", "0 Ом"}}},
    {"step 4 before step 3", false, {{"Edit11", "1,5"}, {"Edit7", "2"}}, {4}, nullptr, {{"Label33", "0,5 мкА"}}},
    {"step 5 before step 4",
     false,
     {{"Edit4", "12"}, {"Edit2", "20"}, {"Edit10", "1000"}, {"Edit12", "47000"}, {"Edit13", "1,5"}, {"Edit6", "30"}},
     {2, 5},
     nullptr,
     {{"Label39", "19000 Ом"}}},
    {"step 5 before steps 2 and 4",
     false,
     {{"Edit10", "1000"}, {"Edit12", "47000"}, {"Edit13", "1,5"}, {"Edit6", "30"}},
     {5},
     "Invalid floating point operation",
     {{"Label39", ""}}},
    {"step 6 before step 5", false, {{"Edit5", "5"}}, {6}, "Floating point division by zero", {{"Label42", ""}}},
    {"step 8 before step 5", false, {{"Edit4", "12"}, {"Edit2", "20"}}, {2, 8}, "Floating point division by zero",
     {{"Label51", ""}, {"Label53", ""}}},
    {"step 8 before steps 2 and 5", false, {}, {8}, "Invalid floating point operation", {{"Label51", ""}, {"Label53", ""}}},
    {"step 9 before step 8", false, {{"Edit16", "2"}}, {9}, "Floating point division by zero", {{"Label56", ""}}},
    {"step 9 before step 8 with a saturation coefficient of 1",
     false,
     {{"Edit10", "1000"}, {"Edit12", "47000"}, {"Edit13", "1"}, {"Edit6", "30"}, {"Edit16", "2"}},
     {5, 9},
     "Invalid floating point operation",
     {{"Label56", ""}}},
    {"step 9 after step 8 but before step 7",
     false,
     {{"Edit4", "12"}, {"Edit2", "20"}, {"Edit10", "1000"}, {"Edit12", "47000"}, {"Edit13", "1,5"}, {"Edit6", "30"},
      {"Edit16", "2"}},
     {2, 5, 8, 9},
     nullptr,
     {{"Label62", "5,6 мкс"}, {"Label64", "178,571428571429 кГц"}}},
    {"step 10 before step 5", false, {}, {10}, nullptr, {{"Label66", "0 Ом"}}},
    {"step 11 before step 2", false, {{"Edit17", "5100"}}, {11}, "Floating point division by zero",
     {{"Label69", ""}, {"Label71", ""}, {"Label73", ""}, {"Label75", ""}}},
};

TEST_F(Form2Test, ComputesWhateverItsQuantitiesHold)
{
    for (const Scenario &s : kScenarios) {
        form = std::make_unique<TForm2>();
        form->show();
        if (s.afterFullRun)
            FullRun();
        TypeAll(s.typed);
        std::vector<MessageBoxSeen> seen;
        for (int step : s.steps)
            seen = Press(step);
        if (s.report) {
            ASSERT_EQ(seen.size(), 1u) << s.name;
            EXPECT_EQ(seen[0].text, Utf8(s.report) + QLatin1Char('.')) << s.name;
        } else {
            EXPECT_TRUE(seen.empty()) << s.name << ": " << (seen.empty() ? "" : seen[0].text.toStdString());
        }
        ExpectTexts(s.labels, s.name);
    }
}

TEST_F(Form2Test, Step7BeforeStep2WritesTwoTimesThenFaultsAtThePeriod)
{
    TypeAll({{"Edit10", "1000"}, {"Edit12", "47000"}, {"Edit13", "1,5"}, {"Edit6", "30"}, {"Edit15", "47"},
             {"Edit14", "18000"}});
    Press(5);
    const std::vector<MessageBoxSeen> seen = Press(7);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("Floating point division by zero."));
    ExpectTexts({{"Label45", "0,141 мкс"}, {"Label47", "1,83516923076923 мкс"}, {"Label49", ""}}, "step 7");
}

// A row of the fault table: after a full run, retype some boxes, press steps; the last press faults.
struct FaultCase
{
    const char *condition;
    Texts retyped;
    std::vector<int> steps;
    const char *report;
    Texts written; // written by the faulting step before its fault; every other result keeps its full-run text
};

const FaultCase kFaultCases[] = {
    {"a bad box", {{"Edit1", "abc"}}, {1}, "'abc' is not a valid floating point value", {}},
    {"an empty box after a good one", {{"Edit4", "13"}, {"Edit2", ""}}, {2}, "'' is not a valid floating point value",
     {{"Label17", "26 В"}}},
    {"blanks around a bad box", {{"Edit3", " 1 000 "}}, {3}, "' 1 000 ' is not a valid floating point value", {}},
    {"a foreign separator", {{"Edit11", "1.5"}}, {4}, "'1.5' is not a valid floating point value", {}},
    {"markup typed into a box", {{"Edit17", "<b>1</b>"}}, {11}, "'<b>1</b>' is not a valid floating point value", {}},
    {"an input beyond the double range", {{"Edit1", "1E400"}}, {1}, "Floating point overflow", {}},
    {"a result beyond the double range", {{"Edit1", "1,7E308"}}, {1}, "Floating point overflow", {}},
    {"Tmax = 20 while Tokr is not", {{"Edit9", "20"}, {"Edit3", "50"}}, {3}, "Floating point division by zero", {}},
    {"Tmax = Tokr = 20", {{"Edit9", "20"}, {"Edit3", "20"}}, {3}, "Invalid floating point operation", {}},
    {"Tokr above Tmax above 20", {{"Edit9", "70"}, {"Edit3", "80"}}, {3}, "Invalid floating point operation", {}},
    {"IkMax = 0", {{"Edit8", "0"}}, {3}, "Floating point division by zero", {{"Label27", "0 мА"}}},
    {"Tokr = Tmax", {{"Edit3", "70"}}, {3}, "Floating point division by zero", {{"Label27", "0 мА"}}},
    {"IkMax = 0 and Uki = 0", {{"Edit8", "0"}, {"Edit1", "0"}}, {1, 3}, "Invalid floating point operation",
     {{"Label14", "0...0 В"}, {"Label27", "0 мА"}}},
    {"Iko = 0", {{"Edit7", "0"}}, {4}, "Floating point division by zero", {{"Label33", "0 мкА"}}},
    {"Iko = 0 and Eb = 0", {{"Edit7", "0"}, {"Edit11", "0"}}, {4}, "Invalid floating point operation",
     {{"Label33", "0 мкА"}}},
    {"H21Min = 0", {{"Edit6", "0"}}, {5}, "Floating point division by zero", {}},
    {"H21Min = 0 and SatFactor = 0", {{"Edit6", "0"}, {"Edit13", "0"}}, {5}, "Invalid floating point operation", {}},
    {"Rb = 0", {{"Edit12", "0"}}, {5}, "Floating point division by zero", {}},
    {"Rb = 0 and Eb = 0", {{"Edit12", "0"}, {"Edit11", "0"}}, {4, 5}, "Invalid floating point operation",
     {{"Label35", "0 Ом"}}},
    {"a divisor sum of 0", {{"Edit11", "-1,5"}, {"Edit12", "2500"}}, {4, 5}, "Floating point division by zero",
     {{"Label35", "-93750 Ом"}}},
    {"a divisor sum of 0 with Ek = 0",
     {{"Edit4", "0"}, {"Edit11", "0"}},
     {2, 4, 5},
     "Invalid floating point operation",
     {{"Label17", "0 В"}, {"Label35", "0 Ом"}}},
    {"Fgr = 0", {{"Edit5", "0"}}, {6}, "Floating point division by zero", {}},
    {"Rb + Rк.б = 0", {{"Edit14", "-47000"}}, {7}, "Floating point division by zero", {}},
    {"Rb = Rк.б = 0", {{"Edit12", "0"}, {"Edit14", "0"}}, {5, 7}, "Invalid floating point operation", {}},
    {"Fp = 0", {{"Edit2", "0"}}, {2, 7}, "Floating point division by zero",
     {{"Label19", "0 кГц"}, {"Label47", "1,83516923076923 мкс"}}},
    {"Rk = 0", {{"Edit10", "0"}}, {5, 8}, "Floating point division by zero", {}},
    {"Rk = 0 and Ek = 0", {{"Edit10", "0"}, {"Edit4", "0"}}, {2, 5, 8}, "Invalid floating point operation",
     {{"Label17", "0 В"}}},
    {"IpAmp = 0", {{"Edit4", "0"}}, {2, 8, 9}, "Floating point division by zero",
     {{"Label17", "0 В"}, {"Label51", "0 м\x41"}, {"Label53", "0 \x42"}}},
    {"IpAmp = 0 and SatFactor = 1",
     {{"Edit4", "0"}, {"Edit13", "1"}},
     {2, 5, 8, 9},
     "Invalid floating point operation",
     {{"Label17", "0 В"}, {"Label39", "-1000 Ом"}, {"Label51", "0 м\x41"}, {"Label53", "0 \x42"}}},
    {"no time at all", {{"Edit15", "0"}, {"Edit16", "0"}}, {7, 9}, "Floating point division by zero",
     {{"Label45", "0 мкс"}, {"Label47", "0 мкс"}, {"Label56", "0 мкс"}, {"Label58", "0 мкс"}, {"Label60", "0 мкс"},
      {"Label62", "0 мкс"}}},
    {"R = 0", {{"Edit17", "0"}}, {11}, "Floating point division by zero", {}},
};

TEST_F(Form2Test, EveryFaultStopsItsStepWherePromised)
{
    for (const FaultCase &c : kFaultCases) {
        form = std::make_unique<TForm2>();
        form->show();
        FullRun();
        TypeAll(c.retyped);
        std::vector<MessageBoxSeen> seen;
        for (int step : c.steps)
            seen = Press(step);
        ASSERT_EQ(seen.size(), 1u) << c.condition;
        EXPECT_EQ(seen[0].text, Utf8(c.report) + QLatin1Char('.')) << c.condition;
        EXPECT_EQ(seen[0].title, QStringLiteral("Ortix-T"));

        Texts expected = kFullRunResults;
        for (auto &[label, text] : expected) {
            for (const auto &[writtenLabel, writtenText] : c.written) {
                if (std::string_view(label) == writtenLabel)
                    text = writtenText;
            }
        }
        ExpectTexts(expected, c.condition);
    }
}

TEST_F(Form2Test, StepsCheckNoRecommendedRange)
{
    TypeAll(kFullRunInputs);
    TypeAll({{"Edit11", "5"}, {"Edit13", "7"}});
    for (int step = 1; step <= 5; ++step)
        EXPECT_TRUE(Press(step).empty()) << "step " << step;
}

TEST_F(Form2Test, LooksAsDesigned)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Симметричный триггер с внешним источником смещения    "));
    auto *scrollBox = Find<QScrollArea>(form.get(), "ScrollBox");
    EXPECT_EQ(scrollBox->widget()->size(), QSize(1041, 1481));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QApplication::processEvents();
    EXPECT_TRUE(scrollBox->verticalScrollBar()->isVisible());
    EXPECT_FALSE(scrollBox->horizontalScrollBar()->isVisible());
    EXPECT_EQ(form->palette().color(QPalette::Window), form->palette().color(QPalette::Button));

    const struct
    {
        const char *kind;
        const char *label;
        const char *family;
        bool bold;
    } kKinds[] = {{"heading", "Label1", "MS Reference Sans Serif", true},
                  {"note", "Label3", "Tahoma", false},
                  {"prompt", "Label10", "Tahoma", false},
                  {"result", "Label14", "Tahoma", true},
                  {"citation", "Label9", "Tahoma", false}};
    for (const auto &k : kKinds) {
        const QFont font = Find<QLabel>(form.get(), k.label)->font();
        EXPECT_EQ(font.family(), QString::fromLatin1(k.family)) << k.kind;
        EXPECT_EQ(font.pixelSize(), 15) << k.kind;
        EXPECT_EQ(font.bold(), k.bold) << k.kind;
    }
    EXPECT_EQ(Find<QLabel>(form.get(), "Label76")->font().pixelSize(), 10);
    EXPECT_EQ(Find<QLineEdit>(form.get(), "Edit1")->font().pixelSize(), 15);
    EXPECT_EQ(Find<QLabel>(form.get(), "Label14")->geometry(), QRect(488, 508, 4, 18)) << "an unwritten result";
}

TEST_F(Form2Test, TabsThroughBoxesAndButtonsInOrder)
{
    const QStringList expected = {"Edit1",  "Edit2",  "Edit3",  "Button1", "Button2", "Edit4",   "Edit5",
                                  "Edit6",  "Edit7",  "Edit8",  "Edit9",   "Button3", "Edit10",  "Edit11",
                                  "Button4", "Edit12", "Button5", "Edit13", "Edit14",  "Button6", "Edit15",
                                  "Button7", "Button8", "Button9", "Edit16", "Button10", "Edit17", "Button11"};
    EXPECT_EQ(TabOrder(Find<QWidget>(form.get(), "Edit1"), expected.size()), expected);
}

TEST_F(Form2Test, EnterInABoxRunsNoStep)
{
    QLineEdit *edit = Find<QLineEdit>(form.get(), "Edit1");
    Type(edit, QStringLiteral("10"));
    const std::vector<MessageBoxSeen> seen =
        CollectMessageBoxes([edit] { QTest::keyClick(edit, Qt::Key_Return); QTest::keyClick(edit, Qt::Key_Enter); });
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(Text("Label14"), QString());
}

// With the fonts that the set-up installs, each edit box over a prompt's run of blanks covers only
// blanks: the words before the gap and the unit after it stay in sight.
TEST_F(Form2Test, EditBoxesCoverOnlyThePromptsBlanks)
{
    int checked = 0;
    for (const QLabel *prompt : form->findChildren<QLabel *>()) {
        if (prompt->property("kind").toString() != QLatin1String("prompt"))
            continue;
        const QString text = prompt->text();
        qsizetype gapStart = -1, gapLength = 0;
        for (qsizetype i = 0; i < text.size();) {
            qsizetype j = i;
            while (j < text.size() && text[j] == QLatin1Char(' '))
                ++j;
            if (j - i > gapLength) {
                gapStart = i;
                gapLength = j - i;
            }
            i = j == i ? i + 1 : j;
        }
        if (gapLength < 2)
            continue;
        // Where the ink of the words before the run ends, and where the ink of the unit after it starts,
        // to the nearest pixel column.
        const QFontMetricsF metrics(prompt->font());
        const qreal wordsEnd = prompt->x() + metrics.boundingRect(text.left(gapStart)).right();
        const qreal unitStart = prompt->x() + metrics.horizontalAdvance(text.left(gapStart + gapLength))
                                + metrics.boundingRect(text.mid(gapStart + gapLength)).left();
        for (const QLineEdit *edit : form->findChildren<QLineEdit *>()) {
            if (!edit->geometry().intersects(prompt->geometry()))
                continue;
            ++checked;
            EXPECT_GE(edit->x(), qRound(wordsEnd)) << edit->objectName().toStdString() << " hides the words of "
                                           << prompt->objectName().toStdString();
            EXPECT_LE(edit->x() + edit->width(), qRound(unitStart)) << edit->objectName().toStdString()
                                                            << " hides the unit of " << prompt->objectName().toStdString();
        }
    }
    EXPECT_EQ(checked, 16);
}

} // namespace
