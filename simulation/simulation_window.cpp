#include "simulation/simulation_window.h"

#include "files/program_library.h"
#include "files/save_file.h"
#include "window/fault_report.h"
#include "window/save_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QThread>

namespace {

struct ChartLibrary
{
    CreateWaveformChartFunction *create = nullptr;
    ResetWaveformZoomFunction *resetZoom = nullptr;
    WaveformChartImageFunction *image = nullptr;
};

// Loaded at the first chart.
const ChartLibrary &Charts()
{
    static const ChartLibrary charts = [] {
        ChartLibrary found;
        LoadProgramLibrary(
            ORTIX_CHARTS_FROM_PROGRAM, ORTIX_CHARTS_BUILT, std::pair{"CreateWaveformChart", &found.create},
            std::pair{"ResetWaveformZoom", &found.resetZoom}, std::pair{"WaveformChartImage", &found.image});
        return found;
    }();
    return charts;
}

QString Number(double value)
{
    return std::isfinite(value) ? QString::number(value, 'g', 4) : QStringLiteral("—");
}

} // namespace

TSimulationWindow::TSimulationWindow(QWidget *calculatorWindow)
    : QWidget(calculatorWindow, Qt::Window), calculatorWindow_(calculatorWindow)
{
    setObjectName(QStringLiteral("SimulationWindow"));
    setWindowTitle(tr("Моделирование"));
    setAttribute(Qt::WA_QuitOnClose, false);
    verdict_ = new QLabel;
    verdict_->setObjectName(QStringLiteral("Verdict"));
    verdict_->setWordWrap(true);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    cancel_ = new QPushButton(tr("Отмена"));
    cancel_->setObjectName(QStringLiteral("Cancel"));
    resetZoom_ = new QPushButton(tr("Исходный масштаб"));
    save_ = new QPushButton(tr("Сохранить график…"));
    save_->setObjectName(QStringLiteral("SaveChart"));
    figures_ = new QTableWidget(0, 3);
    figures_->setObjectName(QStringLiteral("Figures"));
    figures_->setHorizontalHeaderLabels({tr("Величина"), tr("Моделирование"), tr("Расчёт")});
    figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    figures_->verticalHeader()->hide();
    figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *chartHolder = new QWidget;
    chartArea_ = new QVBoxLayout(chartHolder);
    chartArea_->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter;
    splitter->addWidget(chartHolder);
    splitter->addWidget(figures_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({600, 560});

    auto *running = new QHBoxLayout;
    running->addWidget(progress_, 1);
    running->addWidget(cancel_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(resetZoom_);
    buttons->addWidget(save_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(verdict_);
    layout->addLayout(running);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(1180, 620);

    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (cancelRequested_)
            *cancelRequested_ = true;
    });
    connect(resetZoom_, &QPushButton::clicked, this, [this] {
        if (chart_)
            Charts().resetZoom(chart_);
    });
    connect(save_, &QPushButton::clicked, this, &TSimulationWindow::AskAndSaveChart);
}

TSimulationWindow::~TSimulationWindow()
{
    // A run still going is halted and waited for: ngspice outlives no window.
    if (cancelRequested_)
        *cancelRequested_ = true;
    if (worker_)
        worker_->wait();
}

void TSimulationWindow::Start()
{
    if (running_)
        return;
    auto report = std::make_shared<SimulationReport>();
    QString error;
    if (!BuildCircuit(calculatorWindow_, &report->circuit, &error)) {
        ShowReport({}, error);
        return;
    }
    // The last run's thread has reported, and ends at once.
    if (worker_)
        worker_->wait();
    running_ = true;
    cancelRequested_ = std::make_shared<std::atomic_bool>(false);
    progress_->setValue(0);
    progress_->show();
    cancel_->show();
    cancel_->setEnabled(true);
    verdict_->setText(tr("Идёт моделирование…"));
    QPointer<TSimulationWindow> window(this);
    auto cancel = cancelRequested_;
    QThread *worker = QThread::create([window, report, cancel] {
        QString error;
        // ngspice reports far more often than the bar can change.
        int shown = -1;
        const auto progress = [window, &shown](int percent) {
            if (percent == shown)
                return;
            shown = percent;
            QMetaObject::invokeMethod(window, [window, percent] {
                if (window)
                    window->ShowProgress(percent);
            });
        };
        Simulate(report.get(), &error, progress, cancel.get());
        QMetaObject::invokeMethod(window, [window, report, error] {
            if (window)
                window->ShowReport(*report, error);
        });
    });
    worker_.reset(worker);
    worker->start();
}

void TSimulationWindow::ShowProgress(int percent)
{
    progress_->setValue(std::clamp(percent, 0, 100));
}

void TSimulationWindow::ShowReport(const SimulationReport &report, const QString &error)
{
    running_ = false;
    progress_->hide();
    cancel_->hide();
    figures_->setRowCount(0);
    delete chart_;
    chart_ = nullptr;
    if (!error.isEmpty()) {
        verdict_->setText(error);
    } else {
        verdict_->setText(report.verdict.text);
        for (const Figure &figure : report.circuit.figures) {
            const auto measured = report.outcome.measured.find(figure.measure);
            const int row = figures_->rowCount();
            figures_->insertRow(row);
            figures_->setItem(row, 0, new QTableWidgetItem(QStringLiteral("%1, %2").arg(figure.title, figure.unit)));
            figures_->setItem(row, 1,
                              new QTableWidgetItem(Number(
                                  measured == report.outcome.measured.end() ? NAN : figure.scale * measured->second)));
            figures_->setItem(row, 2, new QTableWidgetItem(Number(figure.scale * figure.calculated)));
        }
        ShowChart(report);
    }
    resetZoom_->setEnabled(chart_);
    save_->setEnabled(chart_);
    emit Finished();
}

void TSimulationWindow::ShowChart(const SimulationReport &report)
{
    const ChartLibrary &charts = Charts();
    if (!charts.create || report.outcome.time.empty())
        return;
    const double stop = report.outcome.time.back();
    const bool microseconds = stop <= 2e-3;
    const double scale = microseconds ? 1e6 : 1e3;
    WaveformPlot plot{microseconds ? tr("мкс") : tr("мс"), {}};
    std::vector<double> time;
    for (double t : report.outcome.time)
        time.push_back(scale * t);
    for (const Trace &trace : report.circuit.traces) {
        const auto volts = report.outcome.waveforms.find(trace.vector);
        if (volts != report.outcome.waveforms.end())
            plot.series.push_back({trace.title, time, volts->second});
    }
    chart_ = charts.create(&plot, nullptr);
    chartArea_->addWidget(chart_);
    chart_->show();
}

bool TSimulationWindow::SaveChart(const QString &path, QString *error) const
{
    QByteArray image;
    if (!chart_ || !Charts().image(chart_, path.endsWith(QLatin1StringView(".svg"), Qt::CaseInsensitive), &image)) {
        *error = tr("график не нарисован");
        return false;
    }
    return SaveFile(path, image, error);
}

void TSimulationWindow::AskAndSaveChart()
{
    const QString file =
        AskSavePath(this, tr("Сохранить график"), QString(), {tr("Рисунок PNG (*.png)"), tr("Рисунок SVG (*.svg)")});
    if (file.isEmpty() || !chart_)
        return;
    QString error;
    if (!SaveChart(file, &error))
        ShowWarning(this, tr("Не удалось сохранить «%1»: %2.").arg(QDir::toNativeSeparators(file), error));
}

void ShowSimulation(QWidget *calculatorWindow)
{
    auto *window = calculatorWindow->findChild<TSimulationWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new TSimulationWindow(calculatorWindow);
    window->show();
    window->raise();
    window->activateWindow();
    window->Start();
}
