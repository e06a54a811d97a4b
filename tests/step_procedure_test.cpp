// A window made only for this test proves the step procedure that every calculator runs its steps in.
#include "tests/support/window_driver.h"
#include "window/calculator_window.h"
#include "window/designed_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

class TStepProbe : public TCalculatorWindow
{
public:
    TStepProbe()
    {
        setObjectName(QStringLiteral("StepProbe"));
        resize(QSize(400, 300) + kDesignedFrame);
        auto *scrollBox = new QScrollArea(this);
        scrollBox->setObjectName(QStringLiteral("ScrollBox"));
        auto *clientArea = new QWidget;
        Edit1 = Add<QLineEdit>(clientArea, "Edit1", {10, 10, 60, 26});
        Edit2 = Add<QLineEdit>(clientArea, "Edit2", {10, 40, 60, 26});
        Label1 = Add<QLabel>(clientArea, "Label1", {100, 10, 4, 18});
        Label2 = Add<QLabel>(clientArea, "Label2", {100, 40, 4, 18});
        Label3 = Add<QLabel>(clientArea, "Label3", {100, 70, 4, 18});
        Button1 = Add<QPushButton>(clientArea, "Button1", {10, 100, 71, 23});
        Button2 = Add<QPushButton>(clientArea, "Button2", {10, 130, 71, 23});
        for (QLabel *label : {Label1, Label2, Label3})
            label->setProperty("kind", QStringLiteral("result"));
        scrollBox->setWidget(clientArea);
        (new QVBoxLayout(this))->addWidget(scrollBox);
        SetUpWindow();
        ConnectStep(Button1, &TStepProbe::Button1Click);
        ConnectStep(Button2, &TStepProbe::Button2Click);
    }

    std::vector<NamedQuantity> Quantities() override
    {
        return {{"A", &A}, {"B", &B}, {"Ratio", &Ratio}, {"Inverse", &Inverse}};
    }

    // Read, write, read, compute, write, compute, write.
    void Button1Click()
    {
        A = Read(Edit1);
        Write(Label1, NumberToText(A) + " В");
        B = Read(Edit2);
        Ratio = A / B;
        Write(Label2, NumberToText(Ratio));
        Inverse = 1 / Ratio;
        Write(Label3, NumberToText(Inverse));
    }

    void Button2Click() { throw std::runtime_error("something unforeseen"); }

    QLineEdit *Edit1, *Edit2;
    QLabel *Label1, *Label2, *Label3;
    QPushButton *Button1, *Button2;
    Quantity A, B, Ratio, Inverse;

private:
    template <class Control>
    static Control *Add(QWidget *parent, const char *name, QRect geometry)
    {
        auto *control = new Control(parent);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(geometry);
        return control;
    }
};

class StepProcedure : public ::testing::Test
{
protected:
    void SetUp() override { probe.show(); }

    void Run(const char *edit1, const char *edit2)
    {
        Type(probe.Edit1, QString::fromUtf8(edit1));
        Type(probe.Edit2, QString::fromUtf8(edit2));
        seen = ClickAndCollect(probe.Button1);
    }

    TStepProbe probe;
    std::vector<MessageBoxSeen> seen;
};

TEST_F(StepProcedure, RunsToTheEndWithoutAReport)
{
    Run("6", "3");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(probe.Label1->text(), QStringLiteral("6 В"));
    EXPECT_EQ(probe.Label2->text(), QStringLiteral("2"));
    EXPECT_EQ(probe.Label3->text(), QStringLiteral("0,5"));
}

TEST_F(StepProcedure, AFaultKeepsWhatCameBeforeItAndDoesNothingAfterIt)
{
    Run("6", "3");
    Run("4", "0");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("Floating point division by zero."));
    EXPECT_EQ(probe.A.value(), 4);
    EXPECT_EQ(probe.B.value(), 0);
    EXPECT_EQ(probe.Ratio.value(), 2) << "the faulting action stores nothing";
    EXPECT_EQ(probe.Label1->text(), QStringLiteral("4 В"));
    EXPECT_EQ(probe.Label2->text(), QStringLiteral("2"));
    EXPECT_EQ(probe.Label3->text(), QStringLiteral("0,5"));
}

TEST_F(StepProcedure, ABadBoxStopsTheStepAtThatBox)
{
    Run("6", "3");
    Run("8", "abc");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("'abc' is not a valid floating point value."));
    EXPECT_EQ(probe.Label1->text(), QStringLiteral("8 В"));
    EXPECT_EQ(probe.B.value(), 3);
    EXPECT_EQ(probe.Label2->text(), QStringLiteral("2"));
}

TEST_F(StepProcedure, AnEmptyFirstBoxChangesNothing)
{
    Run("", "3");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("'' is not a valid floating point value."));
    EXPECT_EQ(seen[0].title, QStringLiteral("Ortix-T"));
    EXPECT_EQ(probe.Label1->text(), QString());
    EXPECT_EQ(probe.A.value(), 0);
}

TEST_F(StepProcedure, RunningAStepTwiceGivesTheSameTexts)
{
    Run("1", "3");
    const QString first = probe.Label2->text();
    Run("1", "3");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(probe.Label2->text(), first);
    EXPECT_EQ(first, QStringLiteral("0,333333333333333"));
}

TEST_F(StepProcedure, AnUnforeseenFailureIsReportedAndGoesNoFurther)
{
    seen = ClickAndCollect(probe.Button2);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("something unforeseen."));
}

TEST_F(StepProcedure, ResultLabelsSizeThemselvesAndTheScrolledAreaFollows)
{
    Run("1E300", "1E-9");
    QWidget *clientArea = probe.findChild<QScrollArea *>(QStringLiteral("ScrollBox"))->widget();
    EXPECT_EQ(seen.size(), 1u) << "1E308 overflows the double";
    Run("1,5", "7");
    EXPECT_GE(probe.Label2->width(), probe.Label2->fontMetrics().horizontalAdvance(probe.Label2->text()));
    EXPECT_GE(clientArea->width(), probe.Label2->geometry().right() + 1);
}

} // namespace
