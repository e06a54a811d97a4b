#pragma once

#include "arithmetic/extended.h"
#include "window/calculation_model.h"
#include "window_look/control_kinds.h"

#include <QPointer>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

// A window's circuit (simulation/circuit.h). A window that has one befriends it, so that the circuit reads the
// window's boxes and quantities as its members: a misspelt name does not compile.
template <class Form>
struct WindowCircuit;

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

    // What the window has computed and the user typed for its simulation.
    const CalculationModel &Model() const { return model_; }
    // Puts the model in place, as a file or a new calculation gives it: every result label shows its result.
    void SetModel(CalculationModel model);

    // What the user typed into «Параметры моделирования» of the window's simulation: each parameter's key and
    // its text in the parameter's unit; a parameter not in it has its default. The calculation file keeps it.
    QVariantMap SimulationParameters() const { return model_.simulationParameters; }
    void SetSimulationParameters(const QVariantMap &parameters) { model_.simulationParameters = parameters; }

    // The last result of «Запас и разброс», with what it was computed from: the calculation file keeps it.
    std::shared_ptr<const ToleranceRecord> Tolerance() const { return model_.tolerance; }
    void SetTolerance(std::shared_ptr<const ToleranceRecord> tolerance) { model_.tolerance = std::move(tolerance); }

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

    // Replaces a result or verdict's whole text in the model, and its label shows it. A step's printed result
    // keeps its values and unit beside the text; any other text keeps none.
    void Write(QLabel *label, const QString &text);
    void Write(QLabel *label, const ResultText &text);

    void showEvent(QShowEvent *event) override;

private:
    void WriteResult(QLabel *label, ResultValue result);
    // The label shows its result of the model.
    void ShowResult(QLabel *label);
    void ConnectButton(QPushButton *button, std::function<void()> step);
    void RunStep(const std::function<void()> &step);

    CalculationModel model_;
    QString designedTitle_;
    QWidget *following_ = nullptr;
    QScrollArea *scrollBox_ = nullptr;
    QPointer<QLineEdit> reading_; // the box being read, while it is
};
