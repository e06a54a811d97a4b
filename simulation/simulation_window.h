#pragma once

#include "simulation/simulation.h"
#include "simulation/waveform_chart.h"

#include <QWidget>

#include <atomic>
#include <memory>

class QLabel;
class QLibrary;
class QProgressBar;
class QThread;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

// «Моделирование»: a calculator window's circuit simulated on a worker thread, its waveforms plotted and its
// measured figures beside the calculated ones, under the verdict the waveforms give.
class TSimulationWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TSimulationWindow(QWidget *calculatorWindow);
    ~TSimulationWindow() override;

    // Builds the circuit from what the calculator window holds now and runs it.
    void Start();
    bool Running() const { return running_; }
    // Writes the chart as SVG when the path ends in ".svg", else as PNG.
    bool SaveChart(const QString &path, QString *error) const;

signals:
    void Finished();

private:
    void ShowProgress(int percent);
    void ShowReport(const SimulationReport &report, const QString &error);
    void ShowChart(const SimulationReport &report);
    void AskAndSaveChart();

    QWidget *calculatorWindow_;
    QLabel *verdict_;
    QProgressBar *progress_;
    QPushButton *cancel_, *resetZoom_, *save_;
    QTableWidget *figures_;
    QVBoxLayout *chartArea_;
    QWidget *chart_ = nullptr;
    std::shared_ptr<std::atomic_bool> cancelRequested_;
    std::unique_ptr<QThread> worker_;
    bool running_ = false;
};
