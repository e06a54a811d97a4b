#pragma once

#include "simulation/simulation.h"
#include "simulation/waveform_chart.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <optional>

class QFormLayout;
class QGroupBox;
class QLabel;
class QLibrary;
class QProgressBar;
class QThread;
class QPushButton;
class QTableWidget;
class QTimer;
class QVBoxLayout;

// «Моделирование»: a calculator window's circuit simulated on a worker thread, its waveforms plotted and its
// measured figures beside the calculated ones, under the verdict the waveforms give.
class TSimulationWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TSimulationWindow(QWidget *calculatorWindow);
    ~TSimulationWindow() override;

    // Builds the circuit from what the calculator window holds now and runs it. A run of other values still
    // going is stopped first.
    void Start();
    bool Running() const { return running_ != nullptr; }
    // The result shown, when it was simulated from exactly the values the calculator window holds now.
    std::optional<SimulationSection> CurrentResult() const;
    // Writes the chart as SVG when the path ends in ".svg", else as PNG.
    Outcome<> SaveChart(const QString &path) const;

signals:
    void Finished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ShowWaiting(bool waiting);
    void Finish(const SimulationReport &report, const Outcome<> &simulated);
    // Keeps the result as the window now shows it (the verdict, the table) with the circuit it was simulated from.
    void KeepShown(const SimulationReport &report, const Outcome<> &simulated);
    bool IsCurrent() const;
    void ShowCurrency();
    void ShowProgress(int percent);
    void ShowReport(const SimulationReport &report, const Outcome<> &simulated);
    void ShowChart(const SimulationReport &report);
    // «Параметры моделирования»: a box for each parameter of the circuit, showing what it is built with.
    void ShowParameters(const std::vector<SimulationParameter> &parameters);
    // Keeps what the user typed in the calculator window, a default as no text of its own.
    void KeepParameter(const SimulationParameter &parameter, const QString &text);
    void AskAndSaveChart();

    QWidget *calculatorWindow_;
    QLabel *verdict_, *stale_;
    QProgressBar *progress_;
    QPushButton *cancel_, *resetZoom_, *save_, *run_, *defaults_;
    QGroupBox *parameterBox_;
    QFormLayout *parameterForm_;
    QTableWidget *figures_;
    QVBoxLayout *chartArea_;
    QWidget *chart_ = nullptr;
    QTimer *currencyCheck_;
    std::shared_ptr<std::atomic_bool> cancelRequested_;
    std::unique_ptr<QThread> worker_;
    std::shared_ptr<SimulationReport> running_; // the run going, if any
    bool restartWhenStopped_ = false;
    // The circuit of the result shown and the result as the window shows it, for as long as it is shown.
    std::optional<Circuit> shownCircuit_;
    std::optional<SimulationSection> shown_;
};
