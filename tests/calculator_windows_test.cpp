// Every calculator window, driven as a user drives it, through the tables of its cases.
#include "tests/support/calculator_cases.h"
#include "documents/window_records.h"
#include "number_text/decimal_mark.h"
#include "tests/support/window_driver.h"
#include "window/calculator_window.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <map>
#include <random>
#include <string>

namespace {

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

using CasesOf = const CalculatorCases &(*)();

class CalculatorWindow : public ::testing::TestWithParam<CasesOf>
{
protected:
    // A fresh window: every quantity 0, every box and result empty.
    void Open()
    {
        form = cases.create();
        form->show();
    }

    void SetUp() override { Open(); }

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

    std::vector<MessageBoxSeen> PressAll(const std::vector<int> &steps)
    {
        std::vector<MessageBoxSeen> seen;
        for (int step : steps)
            seen = Press(step);
        return seen;
    }

    void FullRun()
    {
        TypeAll(cases.fullRunInputs);
        for (int step = 1; step <= cases.steps; ++step)
            ASSERT_TRUE(Press(step).empty()) << cases.name << " step " << step;
    }

    QString Text(const char *label) { return Find<QLabel>(form.get(), label)->text(); }

    void ExpectTexts(const Texts &expected, const std::string &context)
    {
        for (const auto &[label, text] : expected)
            EXPECT_EQ(Text(label), Utf8(text)) << cases.name << " " << label << " in " << context;
    }

    void ExpectReport(const std::vector<MessageBoxSeen> &seen, const char *report, const std::string &context)
    {
        if (!report) {
            EXPECT_TRUE(seen.empty()) << context << ": " << (seen.empty() ? "" : seen[0].text.toStdString());
            return;
        }
        ASSERT_EQ(seen.size(), 1u) << context;
        EXPECT_EQ(seen[0].text, Utf8(report) + QLatin1Char('.')) << context;
        EXPECT_EQ(seen[0].title, QStringLiteral("Ortix-T")) << context;
    }

    const CalculatorCases &cases = GetParam()();
    std::unique_ptr<QWidget> form;
};

TEST_P(CalculatorWindow, AFullRunWritesEveryResult)
{
    FullRun();
    ExpectTexts(cases.fullRunResults, "the full run");
}

TEST_P(CalculatorWindow, RunningTheStepsAgainGivesTheSameTexts)
{
    FullRun();
    FullRun();
    ExpectTexts(cases.fullRunResults, "the second run");
}

TEST_P(CalculatorWindow, ComputesWhateverItsQuantitiesHold)
{
    for (const Scenario &s : cases.scenarios) {
        Open();
        if (s.afterFullRun)
            FullRun();
        TypeAll(s.typed);
        ExpectReport(PressAll(s.steps), s.report, s.name);
        ExpectTexts(s.labels, s.name);
    }
}

TEST_P(CalculatorWindow, EveryFaultStopsItsStepWherePromised)
{
    for (const FaultCase &c : cases.faults) {
        Open();
        FullRun();
        TypeAll(c.retyped);
        ExpectReport(PressAll(c.steps), c.report, c.condition);

        std::map<std::string, const char *> expected;
        for (const auto &[label, text] : cases.fullRunResults)
            expected[label] = text;
        for (const auto &[label, text] : c.written)
            expected[label] = text;
        for (const auto &[label, text] : expected)
            EXPECT_EQ(Text(label.c_str()), Utf8(text)) << cases.name << " " << label << " after " << c.condition;

        // A text that is not a number is left focused and selected, to be typed over.
        static const QRegularExpression rejected(QStringLiteral("^'(.*)' is not a valid floating point value$"),
                                                 QRegularExpression::DotMatchesEverythingOption);
        if (const QRegularExpressionMatch match = rejected.match(Utf8(c.report)); match.hasMatch()) {
            const auto *box = qobject_cast<QLineEdit *>(form->focusWidget());
            ASSERT_TRUE(box) << cases.name << " after " << c.condition;
            EXPECT_EQ(box->text(), match.captured(1)) << cases.name << " after " << c.condition;
            EXPECT_EQ(box->selectedText(), box->text()) << cases.name << " after " << c.condition;
        }
    }
}

// Edit boxes and buttons lie above the labels whose blanks they stand over: the mouse reaches them
// wherever it points inside them.
TEST_P(CalculatorWindow, EveryBoxAndButtonTakesTheMouse)
{
    QList<QWidget *> controls;
    for (QLineEdit *edit : form->findChildren<QLineEdit *>())
        controls << edit;
    for (QPushButton *button : form->findChildren<QPushButton *>())
        controls << button;
    for (QWidget *control : controls) {
        const QRect r = control->geometry();
        for (const QPoint point : {r.center(), r.topLeft() + QPoint(3, 3), r.topRight() + QPoint(-3, 3),
                                   r.bottomLeft() + QPoint(3, -3), r.bottomRight() + QPoint(-3, -3)}) {
            // Form5's Edit11 and Edit25 overlap by five rows as designed: there one of them has to lie on top.
            if (std::any_of(controls.begin(), controls.end(), [&](const QWidget *other) {
                    return other != control && other->geometry().contains(point);
                }))
                continue;
            const QWidget *found = control->parentWidget()->childAt(point);
            EXPECT_EQ(found, control) << cases.name << " " << control->objectName().toStdString() << " at " << point.x()
                                      << "," << point.y() << " is covered by "
                                      << (found ? found->objectName().toStdString() : "nothing");
        }
    }

    // One click of the mouse at a window position, into the box that lies deepest under a prompt.
    QLineEdit *covered = nullptr;
    for (QLineEdit *edit : form->findChildren<QLineEdit *>()) {
        for (const QLabel *label : form->findChildren<QLabel *>()) {
            if (label->property("kind") == QStringLiteral("prompt") && label->geometry().intersects(edit->geometry()))
                covered = edit;
        }
    }
    ASSERT_TRUE(covered);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Find<QScrollArea>(form.get(), "ScrollBox")->ensureWidgetVisible(covered);
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, covered->mapTo(form.get(), covered->rect().center()));
    EXPECT_EQ(form->focusWidget(), covered) << cases.name << " " << covered->objectName().toStdString();
}

TEST_P(CalculatorWindow, LabelsThatNoStepWritesStayEmpty)
{
    FullRun();
    for (const FaultCase &c : cases.faults) {
        TypeAll(c.retyped);
        PressAll(c.steps);
    }
    for (const char *label : cases.neverWritten)
        EXPECT_EQ(Text(label), QString()) << cases.name << " " << label;
}

// Some boxes only record what the user looked up or chose: whatever they hold, every step runs.
TEST_P(CalculatorWindow, BoxesThatNoStepReadsChangeNothing)
{
    TypeAll(cases.fullRunInputs);
    for (const char *edit : cases.neverRead)
        Type(Find<QLineEdit>(form.get(), edit), QStringLiteral("abc"));
    for (int step = 1; step <= cases.steps; ++step)
        EXPECT_TRUE(Press(step).empty()) << cases.name << " step " << step;
    ExpectTexts(cases.fullRunResults, "a run with letters in the boxes no step reads");
}

TEST_P(CalculatorWindow, LooksAsDesigned)
{
    EXPECT_EQ(form->windowTitle(), Utf8(cases.title));
    auto *scrollBox = Find<QScrollArea>(form.get(), "ScrollBox");
    EXPECT_EQ(scrollBox->widget()->size(), cases.extent);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QApplication::processEvents();
    EXPECT_EQ(scrollBox->verticalScrollBar()->isVisible(), cases.scrollsVertically);
    EXPECT_FALSE(scrollBox->horizontalScrollBar()->isVisible());
    EXPECT_EQ(form->palette().color(QPalette::Window), form->palette().color(QPalette::Button));

    for (const FontSample &sample : cases.fonts) {
        const QFont font = Find<QWidget>(form.get(), sample.control)->font();
        EXPECT_EQ(font.family(), QString::fromLatin1(sample.family)) << sample.control;
        EXPECT_EQ(font.pixelSize(), sample.pixelSize) << sample.control;
        EXPECT_EQ(font.bold(), sample.bold) << sample.control;
        EXPECT_EQ(font.italic(), sample.italic) << sample.control;
    }
    for (const QLabel *label : form->findChildren<QLabel *>()) {
        const QString kind = label->property("kind").toString();
        // The marks over Ё and Й included.
        if (!label->text().isEmpty() && kind != QLatin1String("symbol")) {
            const QFontMetrics metrics(label->font());
            const QRect ink = metrics.tightBoundingRect(label->text());
            const int baseline = label->contentsRect().top() + metrics.ascent();
            EXPECT_GE(baseline + ink.top(), 0) << label->objectName().toStdString() << " shows the tops of its letters";
            EXPECT_LE(baseline + ink.bottom(), label->height() - 1) << label->objectName().toStdString();
        }
        if (kind == QLatin1String("symbol")) {
            const QRect ink = QFontMetrics(label->font()).tightBoundingRect(label->text());
            EXPECT_TRUE(
                QRect(QPoint(), label->size()).contains(ink.translated(0, QFontMetrics(label->font()).ascent())))
                << label->objectName().toStdString() << " shows its whole letter";
        }
        if (kind == QLatin1String("result") || kind == QLatin1String("verdict")) {
            EXPECT_EQ(label->text(), QString()) << label->objectName().toStdString();
            // Unwritten, it keeps its designed placeholder: 4 pixels, 5 for some verdicts.
            EXPECT_GE(label->width(), 4) << label->objectName().toStdString() << " is not yet written";
            EXPECT_LE(label->width(), 5) << label->objectName().toStdString() << " is not yet written";
        }
    }
}

TEST_P(CalculatorWindow, TabsThroughBoxesAndButtonsInOrder)
{
    const QString first = cases.tabOrder.first();
    EXPECT_EQ(TabOrder(Find<QWidget>(form.get(), first.toLatin1().constData()), cases.tabOrder.size()), cases.tabOrder);
}

TEST_P(CalculatorWindow, EnterInABoxRunsNoStep)
{
    TypeAll(cases.fullRunInputs);
    const std::vector<MessageBoxSeen> seen = CollectMessageBoxes([this] {
        for (QLineEdit *edit : form->findChildren<QLineEdit *>()) {
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClick(edit, Qt::Key_Enter);
        }
    });
    EXPECT_TRUE(seen.empty());
    for (const auto &[label, text] : cases.fullRunResults)
        EXPECT_EQ(Text(label), QString()) << label;
}

TEST_P(CalculatorWindow, OpensOnTheFirstControlOfItsTabOrder)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), cases.tabOrder.first());
}

// Enter or Space on a focused step button runs its step, as a click does; no button is a default one.
TEST_P(CalculatorWindow, RunsItsStepsFromTheKeyboard)
{
    TypeAll(cases.fullRunInputs);
    for (int step = 1; step <= cases.steps; ++step) {
        auto *button = Find<QPushButton>(form.get(), ("Button" + std::to_string(step)).c_str());
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << step;
        button->setFocus();
        const Qt::Key key = step % 2 ? Qt::Key_Return : Qt::Key_Space;
        EXPECT_TRUE(CollectMessageBoxes([&] { QTest::keyClick(button, key); }).empty()) << step;
    }
    ExpectTexts(cases.fullRunResults, "a run from the keyboard");
}

// Screen readers name every edit box by its prompt and unit, every result by its caption.
TEST_P(CalculatorWindow, NamesItsControlsForScreenReaders)
{
    const auto nameOf = [](QWidget *control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    };
    for (QLineEdit *edit : form->findChildren<QLineEdit *>()) {
        const QString name = nameOf(edit);
        EXPECT_FALSE(name.isEmpty()) << edit->objectName().toStdString();
        EXPECT_EQ(name, name.simplified()) << edit->objectName().toStdString();
        EXPECT_FALSE(name.endsWith(QLatin1Char('='))) << edit->objectName().toStdString();
    }
    for (QLabel *label : form->findChildren<QLabel *>()) {
        const QString kind = label->property("kind").toString();
        if (kind == QLatin1String("result") || kind == QLatin1String("picture")) {
            EXPECT_FALSE(nameOf(label).isEmpty()) << label->objectName().toStdString();
        }
    }
}

// The windows' own texts, results included, are drawn from their designed faces alone: no letter may
// be missing from its face.
TEST_P(CalculatorWindow, DrawsEveryLetterFromItsOwnFace)
{
    FullRun();
    for (const QLabel *label : form->findChildren<QLabel *>())
        EXPECT_EQ(LettersMissingFromFace(label, label->text()), QString()) << label->objectName().toStdString();
    for (const QPushButton *button : form->findChildren<QPushButton *>())
        EXPECT_EQ(LettersMissingFromFace(button, button->text()), QString()) << button->objectName().toStdString();
}

// Results can be selected and copied with the mouse, stay out of the tab chain, and do not move.
TEST_P(CalculatorWindow, ResultsCanBeCopiedWithoutMoving)
{
    FullRun();
    for (const auto &[name, text] : cases.fullRunResults) {
        const QLabel *label = Find<QLabel>(form.get(), name);
        EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByMouse) << name;
        EXPECT_FALSE(label->focusPolicy() & Qt::TabFocus) << name;
        QLabel plain(label->text());
        plain.setFont(label->font());
        EXPECT_EQ(label->size(), QSize(plain.sizeHint().width(), label->height())) << name;
    }
}

// With the fonts that the set-up installs, each edit box over a prompt's run of blanks covers only
// blanks: the words before the gap and the unit after it stay in sight.
TEST_P(CalculatorWindow, EditBoxesCoverOnlyThePromptsBlanks)
{
    int checked = 0;
    for (const QLabel *prompt : form->findChildren<QLabel *>()) {
        if (prompt->property("kind").toString() != QLatin1String("prompt"))
            continue;
        const QString text = prompt->text();
        const QFontMetricsF metrics(prompt->font());
        for (const QLineEdit *edit : form->findChildren<QLineEdit *>()) {
            if (!edit->geometry().intersects(prompt->geometry()))
                continue;
            // The run of two or more blanks that lies under the box's middle; a box beside the prompt's
            // end stands over no run.
            const qreal middle = edit->x() + edit->width() / 2.0 - prompt->x();
            qsizetype gapStart = -1, gapEnd = -1;
            for (qsizetype i = 0; i < text.size();) {
                qsizetype j = i;
                while (j < text.size() && text[j] == QLatin1Char(' '))
                    ++j;
                if (j - i >= 2 && metrics.horizontalAdvance(text.left(i)) <= middle
                    && metrics.horizontalAdvance(text.left(j)) >= middle) {
                    gapStart = i;
                    gapEnd = j;
                }
                i = j == i ? i + 1 : j;
            }
            if (gapStart < 0)
                continue;
            ++checked;
            // Where the ink of the words before the run ends, and where the ink after it starts.
            const qreal wordsEnd = prompt->x() + metrics.boundingRect(text.left(gapStart)).right();
            const qreal unitStart = prompt->x() + metrics.horizontalAdvance(text.left(gapEnd))
                + metrics.boundingRect(text.mid(gapEnd)).left();
            EXPECT_GE(edit->x(), qRound(wordsEnd))
                << edit->objectName().toStdString() << " hides the words of " << prompt->objectName().toStdString();
            EXPECT_LE(edit->x() + edit->width(), qRound(unitStart))
                << edit->objectName().toStdString() << " hides what follows in " << prompt->objectName().toStdString();
        }
    }
    EXPECT_EQ(checked, cases.editsOverPrompts);
}

// A calculation saved midway and opened into a fresh window goes on exactly as the uninterrupted one:
// every report, every result and every quantity, hidden ones included; saved again, it is the same bytes.
TEST_P(CalculatorWindow, GoesOnExactlyFromItsFile)
{
    std::mt19937 random(std::hash<std::string>()(cases.name));
    std::vector<std::function<void(QWidget *)>> actions;
    for (int i = 0; i < 120; ++i) {
        const auto &[edit, given] = cases.fullRunInputs[random() % cases.fullRunInputs.size()];
        const QString texts[] = {Utf8(given),
                                 Utf8(given),
                                 QStringLiteral("0"),
                                 QString(),
                                 QStringLiteral("1E300"),
                                 QStringLiteral("-3,5"),
                                 QStringLiteral("abc")};
        const QString text = texts[random() % std::size(texts)];
        const int step = 1 + random() % cases.steps;
        if (random() % 3)
            actions.push_back([=](QWidget *window) { Type(Find<QLineEdit>(window, edit), text); });
        else
            actions.push_back([=](QWidget *window) {
                ClickAndCollect(Find<QPushButton>(window, ("Button" + std::to_string(step)).c_str()));
            });
    }
    auto *uninterrupted = dynamic_cast<TCalculatorWindow *>(form.get());
    for (size_t i = 0; i < actions.size() / 2; ++i)
        actions[i](uninterrupted);
    const QByteArray saved = CalculationToJson({DecimalMark, {RecordOf(uninterrupted)}});

    const Outcome<CalculationRecord> record = CalculationFromJson(saved);
    ASSERT_TRUE(record) << record.Message().toStdString();
    const std::unique_ptr<QWidget> reopenedWindow = cases.create();
    auto *reopened = dynamic_cast<TCalculatorWindow *>(reopenedWindow.get());
    reopened->show();
    ASSERT_EQ(MismatchOf(record->windows.front(), reopened), QString());
    Restore(reopened, record->windows.front(), record->decimalMark);
    EXPECT_EQ(CalculationToJson({DecimalMark, {RecordOf(reopened)}}), saved) << cases.name;
    // The labels show what the model holds: each result's text and its standard values.
    const auto shown = [](const QWidget *window) {
        QStringList shown;
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (IsResultLabel(label))
                shown << label->objectName() + label->text() + label->toolTip() + label->accessibleDescription();
        }
        return shown;
    };
    EXPECT_EQ(shown(reopened), shown(uninterrupted)) << cases.name;

    for (size_t i = actions.size() / 2; i < actions.size(); ++i) {
        const std::vector<MessageBoxSeen> before = CollectMessageBoxes([&] { actions[i](uninterrupted); });
        const std::vector<MessageBoxSeen> after = CollectMessageBoxes([&] { actions[i](reopened); });
        ASSERT_EQ(before.size(), after.size()) << cases.name << " action " << i;
        for (size_t b = 0; b < before.size(); ++b)
            EXPECT_EQ(before[b].text, after[b].text) << cases.name << " action " << i;
    }
    const WindowRecord expected = RecordOf(uninterrupted), got = RecordOf(reopened);
    EXPECT_EQ(got.results, expected.results) << cases.name;
    EXPECT_EQ(got.quantities, expected.quantities) << cases.name;
    EXPECT_EQ(shown(reopened), shown(uninterrupted)) << cases.name;
}

INSTANTIATE_TEST_SUITE_P(Each, CalculatorWindow, ::testing::ValuesIn(EveryWindowsCases()),
                         [](const ::testing::TestParamInfo<CasesOf> &info) { return std::string(info.param().name); });

} // namespace
