#pragma once

#include "tolerance/tolerance_analysis.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <optional>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QThread;
class QTimer;
class TCalculatorWindow;

// «Запас и разброс»: the margins of a calculator window's parts and the share of boards that work with parts drawn
// within their tolerances, computed on worker processes while the window stays responsive.
class TToleranceWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TToleranceWindow(QWidget *calculatorWindow);
    ~TToleranceWindow() override;

    void Start();
    bool Running() const { return worker_ != nullptr; }
    // Whether the result shown (the calculator window's) is of exactly the design the calculator window holds now and
    // of the settings this window shows.
    bool ResultIsCurrent() const;

signals:
    void Finished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Run;
    // Shows what the analysis of the design gave.
    void Finish(const QString &netlist);
    // Shows the calculator window's result, with the settings it was computed with (a file opened brings its own).
    void ShowKeptResult();
    void ShowResult(const ToleranceRecord &result);
    void ShowCurrency();
    ToleranceOptions Options() const;

    QWidget *calculatorWindow_;
    TCalculatorWindow *calculator_; // which keeps the result; none for another window
    QSpinBox *runs_;
    QLineEdit *seed_;
    QDoubleSpinBox *resistorTolerance_, *capacitorTolerance_, *gainSpread_;
    QPushButton *start_, *cancel_;
    QProgressBar *progress_;
    QLabel *status_, *stale_, *yield_, *warnings_;
    QTableWidget *margins_;
    QWidget *histogram_;
    QListWidget *sensitivity_;
    QTimer *currencyCheck_;
    QObject *builder_; // the context of the circuits the workers ask this thread to build
    std::shared_ptr<Run> run_;
    std::unique_ptr<QThread> worker_;
    std::vector<TolerancePart> parts_;
};

// Opens «Запас и разброс» for the calculator window.
void ShowTolerance(QWidget *calculatorWindow);

// The lines of «Запас и разброс» for a report, when the calculator window's result is of exactly the values it holds
// now and of the settings its «Запас и разброс» shows (a window not made yet shows the result's own); none otherwise.
QStringList CurrentToleranceLines(QWidget *calculatorWindow);
