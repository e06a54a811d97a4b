#pragma once

#include "arithmetic/extended.h"
#include "window/control_kinds.h"

#include <QPointer>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

struct ToleranceRecord;
class QLineEdit;
class QPushButton;
class QScrollArea;

// A window quantity under the name its window gives it.
struct NamedQuantity
{
    const char *name;
    Quantity *quantity;
};

// What every calculator window shares: its look, the scrolled client area sized to its controls,
// first placement, hiding on close, and the steps run under the fault report.
class TCalculatorWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TCalculatorWindow(QWidget *parent = nullptr);

    // Every quantity of the window, in the order the window declares them: what a calculation file keeps
    // beside the boxes' and results' texts.
    virtual std::vector<NamedQuantity> Quantities() = 0;

    // Makes the scroll bars reach every control again after results were written from outside a step.
    void FitClientAreaToControls();

    // The title it was designed with, blanks trimmed, whatever file its title names now.
    QString DesignedTitle() const { return designedTitle_; }

    // The calculation of another window that this one opens and whose report ends this one's; none by default.
    virtual QWidget *FollowingCalculation() const { return following_; }
    // Its calculator's row joins them: the program's window to the program's, a fresh one to its own.
    void SetFollowingCalculation(QWidget *following) { following_ = following; }

    // What the user typed into «Параметры моделирования» of the window's simulation: each parameter's key and
    // its text in the parameter's unit; a parameter not in it has its default. The calculation file keeps it.
    QVariantMap SimulationParameters() const { return simulationParameters_; }
    void SetSimulationParameters(const QVariantMap &parameters) { simulationParameters_ = parameters; }

    // The last result of «Запас и разброс», with what it was computed from: the calculation file keeps it. None
    // until one is computed or opened.
    std::shared_ptr<const ToleranceRecord> Tolerance() const { return tolerance_; }
    void SetTolerance(std::shared_ptr<const ToleranceRecord> tolerance) { tolerance_ = std::move(tolerance); }

    // The names of the edit boxes that no step reads: nobody need fill them.
    virtual QStringList BoxesNoStepReads() const { return {}; }

signals:
    // A step ran, to its end or to its fault.
    void StepRan();
    // The user changed «Параметры моделирования».
    void SimulationParametersEdited();
    // «Запас и разброс» computed a new result: a change of the calculation, though no box or result changed.
    void ToleranceComputed();
    // Everything the window holds was replaced at once: a file opened, or a new calculation begun.
    void ContentsReplaced();

protected:
    // Finishes the window once its stored layout (scroll box "ScrollBox" with the controls) is set up.
    void SetUpWindow();

    // The button's click runs the step; a fault stops it and is reported once.
    template <class Form>
    void ConnectStep(QPushButton *button, void (Form::*step)())
    {
        ConnectButton(button, [form = static_cast<Form *>(this), step] { (form->*step)(); });
    }

    // An edit box's text as a number: raises EConvertError for text that is not one.
    long double Read(QLineEdit *edit);

    void showEvent(QShowEvent *event) override;

private:
    QVariantMap simulationParameters_;
    std::shared_ptr<const ToleranceRecord> tolerance_;
    void ConnectButton(QPushButton *button, std::function<void()> step);
    void RunStep(const std::function<void()> &step);

    QString designedTitle_;
    QWidget *following_ = nullptr;
    QScrollArea *scrollBox_ = nullptr;
    QPointer<QLineEdit> reading_; // the box being read, while it is
};
