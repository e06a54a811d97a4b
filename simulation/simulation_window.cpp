#include "simulation/simulation_window.h"

#include "program_libraries/program_library.h"
#include "files/save_file.h"
#include "number_text/decimal_mark.h"
#include "window/calculator_window.h"
#include "window/designed_window.h"
#include "window/fault_report.h"
#include "window/save_dialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableWidget>
#include <QThread>
#include <QTimer>

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

// A temperature as the table's headings and the legends say it.
QString Celsius(double temperature)
{
    return QStringLiteral("%1 °C").arg(FigureText(temperature).replace(u'-', u'−'));
}

bool SameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Whether two circuits are the same run, of the same simulation parameters, compared with the same calculated
// figures.
bool SameDesign(const Circuit &a, const Circuit &b)
{
    const auto sameParameter = [](const SimulationParameter &x, const SimulationParameter &y) {
        return x.key == y.key && SameNumber(x.value, y.value);
    };
    const auto sameFigure = [](const std::pair<QString, double> &x, const std::pair<QString, double> &y) {
        return x.first == y.first && SameNumber(x.second, y.second);
    };
    return a.netlist.Text(false) == b.netlist.Text(false)
        && std::equal(a.parameters.begin(), a.parameters.end(), b.parameters.begin(), b.parameters.end(), sameParameter)
        && std::equal(a.calculated.begin(), a.calculated.end(), b.calculated.begin(), b.calculated.end(), sameFigure);
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
    stale_ = new QLabel(tr("Устарело: данные расчёта изменились после моделирования. Нажмите F5, чтобы "
                           "повторить его."));
    stale_->setObjectName(QStringLiteral("Stale"));
    stale_->setWordWrap(true);
    stale_->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    stale_->hide();
    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    cancel_ = new QPushButton(tr("Отмена"));
    cancel_->setObjectName(QStringLiteral("Cancel"));
    resetZoom_ = new QPushButton(tr("Исходный масштаб"));
    save_ = new QPushButton(tr("Сохранить график…"));
    save_->setObjectName(QStringLiteral("SaveChart"));
    figures_ = new QTableWidget(0, 3);
    figures_->setObjectName(QStringLiteral("Figures"));
    figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    figures_->verticalHeader()->hide();
    figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    parameterBox_ = new QGroupBox(tr("Параметры моделирования"));
    parameterForm_ = new QFormLayout;
    run_ = new QPushButton(tr("Моделировать"));
    run_->setObjectName(QStringLiteral("Run"));
    defaults_ = new QPushButton(tr("По умолчанию"));
    defaults_->setObjectName(QStringLiteral("Defaults"));
    defaults_->setToolTip(tr("Вернуть каждому параметру значение по умолчанию"));
    auto *parameterButtons = new QHBoxLayout;
    parameterButtons->addWidget(defaults_);
    parameterButtons->addStretch(1);
    parameterButtons->addWidget(run_);
    auto *parameterLayout = new QVBoxLayout(parameterBox_);
    parameterLayout->addLayout(parameterForm_);
    parameterLayout->addLayout(parameterButtons);
    auto *side = new QSplitter(Qt::Vertical);
    side->addWidget(figures_);
    side->addWidget(parameterBox_);
    side->setStretchFactor(0, 3);
    side->setStretchFactor(1, 1);

    auto *chartHolder = new QWidget;
    chartArea_ = new QVBoxLayout(chartHolder);
    chartArea_->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter;
    splitter->addWidget(chartHolder);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({560, 720});

    auto *running = new QHBoxLayout;
    running->addWidget(progress_, 1);
    running->addWidget(cancel_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(resetZoom_);
    buttons->addWidget(save_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(stale_);
    layout->addWidget(verdict_);
    layout->addLayout(running);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(1300, 680);

    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (cancelRequested_)
            *cancelRequested_ = true;
    });
    connect(resetZoom_, &QPushButton::clicked, this, [this] {
        if (chart_)
            Charts().resetZoom(chart_);
    });
    connect(save_, &QPushButton::clicked, this, &TSimulationWindow::AskAndSaveChart);
    connect(run_, &QPushButton::clicked, this, &TSimulationWindow::Start);
    connect(defaults_, &QPushButton::clicked, this, [this] {
        auto *calculator = qobject_cast<TCalculatorWindow *>(calculatorWindow_);
        if (!calculator || calculator->SimulationParameters().isEmpty())
            return;
        calculator->SetSimulationParameters({});
        emit calculator->SimulationParametersEdited();
        Start();
    });
    // F5 simulates again here as in the calculator window.
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this, &TSimulationWindow::Start);

    // The values a result was simulated from are checked again whenever the calculator's may have changed: a box
    // typed in, a step run, a file opened. Checks that come together are made once.
    currencyCheck_ = new QTimer(this);
    currencyCheck_->setSingleShot(true);
    currencyCheck_->setInterval(0);
    connect(currencyCheck_, &QTimer::timeout, this, &TSimulationWindow::ShowCurrency);
    for (QLineEdit *box : OwnControls<QLineEdit>(calculatorWindow))
        connect(box, &QLineEdit::textChanged, currencyCheck_, qOverload<>(&QTimer::start));
    if (auto *calculator = qobject_cast<TCalculatorWindow *>(calculatorWindow)) {
        connect(calculator, &TCalculatorWindow::StepRan, currencyCheck_, qOverload<>(&QTimer::start));
        connect(calculator, &TCalculatorWindow::ContentsReplaced, currencyCheck_, qOverload<>(&QTimer::start));
        connect(calculator, &TCalculatorWindow::SimulationParametersEdited, currencyCheck_,
                qOverload<>(&QTimer::start));
    }
}

TSimulationWindow::~TSimulationWindow()
{
    // ngspice outlives no window: a run still going is halted, which a cancelled run heeds within hundredths of a
    // second, waiting or running.
    if (cancelRequested_)
        *cancelRequested_ = true;
    if (worker_)
        worker_->wait();
}

void TSimulationWindow::closeEvent(QCloseEvent *event)
{
    // A closed window's run is of no more use; the window closes at once and the run stops on its own thread.
    restartWhenStopped_ = false;
    if (cancelRequested_)
        *cancelRequested_ = true;
    QWidget::closeEvent(event);
}

void TSimulationWindow::Start()
{
    // A parameter typed and not yet left (F5 pressed in its box) counts as typed.
    for (QLineEdit *edit : parameterBox_->findChildren<QLineEdit *>()) {
        if (edit->isModified())
            emit edit->editingFinished();
    }
    auto report = std::make_shared<SimulationReport>();
    const Outcome<> built = BuildCircuit(calculatorWindow_, &report->circuit);
    ShowParameters(report->circuit.parameters);
    if (running_) {
        // A run of other values, or one told to stop (the window closed, «Отмена»), gives way to this one.
        if (*cancelRequested_ || !built || !SameDesign(report->circuit, running_->circuit)) {
            restartWhenStopped_ = true;
            *cancelRequested_ = true;
        }
        return;
    }
    if (!built) {
        ShowReport({}, built);
        return;
    }
    // The last run's thread has reported, and ends at once.
    if (worker_)
        worker_->wait();
    running_ = report;
    cancelRequested_ = std::make_shared<std::atomic_bool>(false);
    progress_->setValue(0);
    progress_->show();
    cancel_->show();
    cancel_->setEnabled(true);
    verdict_->setText(tr("Идёт моделирование…"));
    QPointer<TSimulationWindow> window(this);
    auto cancel = cancelRequested_;
    // The window outlives its worker (its destructor waits for it); what the worker posts to it after it has
    // gone is dropped with it.
    QThread *worker = QThread::create([window, report, cancel] {
        // ngspice reports far more often than the bar can change.
        int shown = -1;
        RunControl control;
        control.progress = [window, &shown](int percent) {
            if (percent == shown)
                return;
            shown = percent;
            QMetaObject::invokeMethod(window, [window, percent] {
                if (window)
                    window->ShowProgress(percent);
            });
        };
        control.waiting = [window](bool waiting) {
            QMetaObject::invokeMethod(window, [window, waiting] {
                if (window)
                    window->ShowWaiting(waiting);
            });
        };
        control.cancel = cancel.get();
        const Outcome<> simulated = Simulate(report.get(), control);
        QMetaObject::invokeMethod(window, [window, report, simulated] {
            if (window)
                window->Finish(*report, simulated);
        });
    });
    worker_.reset(worker);
    worker->start();
}

void TSimulationWindow::ShowWaiting(bool waiting)
{
    if (running_)
        verdict_->setText(waiting ? tr("Ожидание другого моделирования…") : tr("Идёт моделирование…"));
}

void TSimulationWindow::Finish(const SimulationReport &report, const Outcome<> &simulated)
{
    running_ = nullptr;
    if (restartWhenStopped_) {
        restartWhenStopped_ = false;
        Start();
        return;
    }
    ShowReport(report, simulated);
}

bool TSimulationWindow::IsCurrent() const
{
    Circuit now;
    return shownCircuit_ && BuildCircuit(calculatorWindow_, &now) && SameDesign(now, *shownCircuit_);
}

void TSimulationWindow::ShowCurrency()
{
    const bool stale = shown_ && !IsCurrent();
    stale_->setVisible(stale);
    verdict_->setEnabled(!stale);
    figures_->setEnabled(!stale);
    if (chart_)
        chart_->setEnabled(!stale);
}

std::optional<SimulationSection> TSimulationWindow::CurrentResult() const
{
    return IsCurrent() ? shown_ : std::nullopt;
}

void TSimulationWindow::ShowProgress(int percent)
{
    progress_->setValue(std::clamp(percent, 0, 100));
}

void TSimulationWindow::ShowParameters(const std::vector<SimulationParameter> &parameters)
{
    while (parameterForm_->rowCount() > 0)
        parameterForm_->removeRow(0);
    auto *calculator = qobject_cast<TCalculatorWindow *>(calculatorWindow_);
    const QVariantMap typed = calculator ? calculator->SimulationParameters() : QVariantMap();
    for (const SimulationParameter &parameter : parameters) {
        // What the user typed stays as typed, a text that is no number too, to be typed over.
        auto *edit = new QLineEdit(typed.contains(parameter.key) ? typed.value(parameter.key).toString()
                                                                 : FigureText(parameter.value * parameter.scale, 6));
        edit->setObjectName(QStringLiteral("Parameter") + parameter.key);
        edit->setToolTip(
            tr("%1. По умолчанию: %2 %3")
                .arg(parameter.rule, FigureText(parameter.defaultValue * parameter.scale, 6), parameter.unit));
        connect(edit, &QLineEdit::editingFinished, this,
                [this, parameter, edit] { KeepParameter(parameter, edit->text()); });
        parameterForm_->addRow(QStringLiteral("%1, %2").arg(parameter.caption, parameter.unit), edit);
    }
    parameterBox_->setVisible(!parameters.empty());
}

void TSimulationWindow::KeepParameter(const SimulationParameter &parameter, const QString &text)
{
    auto *calculator = qobject_cast<TCalculatorWindow *>(calculatorWindow_);
    if (!calculator)
        return;
    QVariantMap typed = calculator->SimulationParameters();
    const QString before = typed.value(parameter.key).toString();
    // The default's own text is no choice of the user's: it follows the window's values as they change.
    if (text.trimmed() == FigureText(parameter.defaultValue * parameter.scale, 6))
        typed.remove(parameter.key);
    else
        typed.insert(parameter.key, text.trimmed());
    if (typed.value(parameter.key).toString() == before)
        return;
    calculator->SetSimulationParameters(typed);
    emit calculator->SimulationParametersEdited();
}

void TSimulationWindow::ShowReport(const SimulationReport &report, const Outcome<> &simulated)
{
    progress_->hide();
    cancel_->hide();
    figures_->setRowCount(0);
    delete chart_;
    chart_ = nullptr;
    if (!simulated) {
        verdict_->setText(simulated.IsCancelled() ? tr("Моделирование отменено") : simulated.Message());
    } else {
        verdict_->setText(report.verdict.text);
        const std::vector<Corner> &corners = report.circuit.corners;
        QStringList headings{tr("Величина")};
        for (const Corner &corner : corners)
            headings << (corners.size() > 1 ? tr("При %1").arg(Celsius(corner.temperature)) : tr("Моделирование"));
        headings << tr("Расчёт");
        figures_->setColumnCount(int(headings.size()));
        figures_->setHorizontalHeaderLabels(headings);
        figures_->horizontalHeaderItem(int(headings.size()) - 1)
            ->setToolTip(tr("Рассчитанное окном; для наибольших величин — допустимое"));
        for (const FigureRow &figure : report.verdict.rows) {
            const int row = figures_->rowCount();
            figures_->insertRow(row);
            figures_->setItem(row, 0, new QTableWidgetItem(QStringLiteral("%1, %2").arg(figure.title, figure.unit)));
            for (std::size_t c = 0; c < figure.measured.size(); ++c)
                figures_->setItem(row, int(c) + 1, new QTableWidgetItem(FigureText(figure.measured[c])));
            figures_->setItem(row, int(headings.size()) - 1, new QTableWidgetItem(FigureText(figure.calculated)));
        }
        ShowChart(report);
    }
    resetZoom_->setEnabled(chart_);
    save_->setEnabled(chart_);
    KeepShown(report, simulated);
    emit Finished();
}

void TSimulationWindow::KeepShown(const SimulationReport &report, const Outcome<> &simulated)
{
    shownCircuit_.reset();
    shown_.reset();
    if (simulated) {
        shownCircuit_ = report.circuit;
        shown_ = SimulationSection{ParameterTexts(report.circuit.parameters), verdict_->text(), {}, {}};
        for (int column = 0; column < figures_->columnCount(); ++column)
            shown_->columns << figures_->horizontalHeaderItem(column)->text();
        for (int row = 0; row < figures_->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < figures_->columnCount(); ++column)
                cells << (figures_->item(row, column) ? figures_->item(row, column)->text() : QString());
            shown_->rows << cells;
        }
    }
    ShowCurrency();
}

void TSimulationWindow::ShowChart(const SimulationReport &report)
{
    const ChartLibrary &charts = Charts();
    if (!charts.create || report.outcome.time.empty())
        return;
    const double stop = report.outcome.time.back();
    const bool microseconds = stop <= 2e-3;
    const double scale = microseconds ? 1e6 : 1e3;
    WaveformPlot plot{microseconds ? tr("мкс") : tr("мс"), {}, DecimalMark};
    std::vector<double> time;
    for (double t : report.outcome.time)
        time.push_back(scale * t);
    const std::vector<Corner> &corners = report.circuit.corners;
    for (const Corner &corner : corners)
        for (const Trace &trace : report.circuit.traces) {
            const auto volts = report.outcome.waveforms.find(Netlist::Scoped(trace.vector, corner.suffix));
            if (volts == report.outcome.waveforms.end())
                continue;
            const QString title = corners.size() > 1
                ? QStringLiteral("%1, %2").arg(trace.title, Celsius(corner.temperature))
                : trace.title;
            plot.series.push_back({title, time, volts->second});
        }
    chart_ = charts.create(&plot, nullptr);
    chartArea_->addWidget(chart_);
    chart_->show();
}

Outcome<> TSimulationWindow::SaveChart(const QString &path) const
{
    QByteArray image;
    if (!chart_ || !Charts().image(chart_, path.endsWith(QLatin1StringView(".svg"), Qt::CaseInsensitive), &image))
        return Failure{tr("график не нарисован")};
    return SaveFile(path, image);
}

void TSimulationWindow::AskAndSaveChart()
{
    const Outcome<QString> file =
        AskSavePath(this, tr("Сохранить график"), QString(), {tr("Рисунок PNG (*.png)"), tr("Рисунок SVG (*.svg)")});
    if (!file || !chart_)
        return;
    if (const Outcome<> saved = SaveChart(*file); !saved)
        ShowWarning(this, tr("Не удалось сохранить «%1»: %2.").arg(QDir::toNativeSeparators(*file), saved.Message()));
}

namespace {

TSimulationWindow *SimulationWindowOf(QWidget *calculatorWindow)
{
    return calculatorWindow->findChild<TSimulationWindow *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

std::optional<SimulationSection> CurrentSimulation(QWidget *calculatorWindow)
{
    const TSimulationWindow *window = SimulationWindowOf(calculatorWindow);
    return window ? window->CurrentResult() : std::nullopt;
}

void ShowSimulation(QWidget *calculatorWindow)
{
    auto *window = SimulationWindowOf(calculatorWindow);
    if (!window)
        window = new TSimulationWindow(calculatorWindow);
    window->show();
    window->raise();
    window->activateWindow();
    window->Start();
}
