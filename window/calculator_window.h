#pragma once

#include "arithmetic/extended.h"
#include "window/control_kinds.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;
class QScrollArea;

// What every calculator window shares: its look, the scrolled client area sized to its controls,
// first placement, hiding on close, and the steps run under the fault report.
class TCalculatorWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TCalculatorWindow(QWidget *parent = nullptr);

    // The calculation of another window that this one opens and whose report ends this one's; none by default.
    virtual QWidget *FollowingCalculation() const { return nullptr; }

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
    static long double Read(const QLineEdit *edit);

    void showEvent(QShowEvent *event) override;

private:
    void ConnectButton(QPushButton *button, std::function<void()> step);
    void RunStep(const std::function<void()> &step);
    void FitClientAreaToControls();

    QScrollArea *scrollBox_ = nullptr;
};
