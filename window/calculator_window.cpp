#include "window/calculator_window.h"

#include "window_look/control_kinds.h"

#include "number_text/number_text.h"
#include "window/designed_window.h"
#include "window/fault_report.h"
#include "window_look/first_show.h"
#include "window_structure/standard_part_values.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

TCalculatorWindow::TCalculatorWindow(QWidget *parent) : QWidget(parent, Qt::Window) {}

void TCalculatorWindow::SetUpWindow()
{
    SetUpDesignedWindow(this);
    designedTitle_ = windowTitle().trimmed();
    AtFirstShow(this, [this] { OfferStandardValues(this, &model_); });
    scrollBox_ = findChild<QScrollArea *>(QStringLiteral("ScrollBox"));
    // Closing a calculator only hides it; the main menu alone ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    // The scroll area is no stop of the tab chain: the window opens on the first control of its tab
    // order, and the area still scrolls to whichever control takes the focus.
    scrollBox_->setFocusPolicy(Qt::NoFocus);
    for (QWidget *control = nextInFocusChain(); control != this; control = control->nextInFocusChain()) {
        if (control->focusPolicy() & Qt::TabFocus) {
            control->setFocus();
            break;
        }
    }
}

long double TCalculatorWindow::Read(QLineEdit *edit)
{
    reading_ = edit;
    const long double value = NumberFromText(edit->text());
    reading_ = nullptr;
    return value;
}

void TCalculatorWindow::Write(QLabel *label, const QString &text)
{
    WriteResult(label, {text, {}, {}});
}

void TCalculatorWindow::Write(QLabel *label, const ResultText &text)
{
    WriteResult(label, {text.text(), text.unit(), {text.values().begin(), text.values().end()}});
}

void TCalculatorWindow::WriteResult(QLabel *label, ResultValue result)
{
    model_.results[label->objectName()] = std::move(result);
    ShowResult(label);
}

void TCalculatorWindow::SetModel(CalculationModel model)
{
    model_ = std::move(model);
    for (QLabel *label : OwnControls<QLabel>(this)) {
        if (IsResultLabel(label))
            ShowResult(label);
    }
}

void TCalculatorWindow::ShowResult(QLabel *label)
{
    const ResultValue result = model_.Result(label->objectName());
    if (result.text.isEmpty())
        ClearResultText(label);
    else
        ShowResultText(label, result.text);
    ShowStandardValues(label, result);
}

void TCalculatorWindow::ConnectButton(QPushButton *button, std::function<void()> step)
{
    connect(button, &QPushButton::clicked, this, [this, step = std::move(step)] { RunStep(step); });
}

void TCalculatorWindow::RunStep(const std::function<void()> &step)
{
    reading_ = nullptr;
    try {
        step();
    } catch (const EConvertError &fault) {
        ShowFaultReport(this, fault.message());
        // The user sees which box it was and types over its text.
        if (reading_) {
            scrollBox_->ensureWidgetVisible(reading_);
            reading_->setFocus(Qt::OtherFocusReason);
            reading_->selectAll();
        }
    } catch (const Exception &fault) {
        ShowFaultReport(this, fault.message());
    } catch (const std::exception &fault) {
        ShowFaultReport(this, QString::fromLocal8Bit(fault.what()));
    }
    FitClientAreaToControls();
    emit StepRan();
}

void TCalculatorWindow::showEvent(QShowEvent *)
{
    FitWrittenLabelsToTexts(this);
    // After the controls have taken their look at the first show.
    FitClientAreaToControls();
}

void TCalculatorWindow::FitClientAreaToControls()
{
    // Result labels grow as steps write them; the scroll bars must reach every control. A hidden window's
    // labels keep their size until it shows, and its client area is fitted then.
    if (!isVisible())
        return;
    QWidget *clientArea = scrollBox_->widget();
    const QRect extent = clientArea->childrenRect();
    clientArea->resize(extent.right() + 1, extent.bottom() + 1);
}
