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
    // The result shown, when it is of exactly the design the calculator window holds now.
    bool ResultIsCurrent() const;
    const std::optional<ToleranceResult> &Result() const { return result_; }
    // The result as the window shows it, line by line: the nominal design, each margin, the warnings, the yield,
    // the ranked parts and the seed.
    QStringList ResultLines() const;

signals:
    void Finished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Run;
    // Shows what the analysis of the design gave.
    void Finish(const QString &design);
    void ShowResult();
    void ShowCurrency();
    QString DesignText() const;
    ToleranceOptions Options() const;

    QWidget *calculatorWindow_;
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
    std::optional<ToleranceResult> result_;
    std::vector<TolerancePart> parts_;
    QString resultDesign_; // the netlist and options the result shown was computed from
};

// Opens «Запас и разброс» for the calculator window.
void ShowTolerance(QWidget *calculatorWindow);

// The lines of «Запас и разброс» for a report, when its result is of exactly the values the calculator window holds
// now; none otherwise.
QStringList CurrentToleranceLines(QWidget *calculatorWindow);
