#include "tolerance/tolerance_window.h"

#include "window/calculator_window.h"
#include "window/designed_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <numeric>

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("Tolerance", text);
}

QString Percent(double share)
{
    return FigureText(100 * share, 3) + QStringLiteral(" %");
}

// The output swings of the runs as bars over equal bins between the least and the largest.
class SwingHistogramView : public QWidget
{
public:
    explicit SwingHistogramView(QWidget *parent) : QWidget(parent)
    {
        setMinimumSize(320, 180);
        setAccessibleName(Tr("Гистограмма амплитуды выходного напряжения"));
    }

    void SetSwings(const SwingHistogram &swings)
    {
        swings_ = swings;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect area = rect().adjusted(8, 8, -8, -28);
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        const std::vector<int> &counts = swings_.counts;
        const int most = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
        if (most <= 0) {
            painter.drawText(area, Qt::AlignCenter, Tr("Нет прогонов, в которых триггер переключился"));
            return;
        }
        const double barWidth = double(area.width()) / double(counts.size());
        painter.setBrush(palette().highlight());
        for (std::size_t bin = 0; bin < counts.size(); ++bin) {
            const double height = double(area.height()) * counts[bin] / most;
            painter.drawRect(
                QRectF(area.left() + double(bin) * barWidth, area.bottom() - height, barWidth - 1, height));
        }
        const QRect labels(area.left(), area.bottom() + 4, area.width(), 20);
        painter.drawText(labels, Qt::AlignLeft, FigureText(swings_.least) + QStringLiteral(" В"));
        painter.drawText(
            labels, Qt::AlignHCenter,
            Tr("амплитуда на выходе, прогонов: %1").arg(std::accumulate(counts.begin(), counts.end(), qint64(0))));
        painter.drawText(labels, Qt::AlignRight, FigureText(swings_.largest) + QStringLiteral(" В"));
    }

private:
    SwingHistogram swings_;
};

QString MarginValue(const Margin &margin, double number, const QString &none)
{
    return std::isfinite(number) ? QStringLiteral("%1 %2").arg(PartValueText(number), margin.unit).trimmed() : none;
}

QString LowText(const Margin &margin)
{
    return MarginValue(margin, margin.low, Tr("< 1/10 номинала"));
}

QString HighText(const Margin &margin)
{
    return MarginValue(margin, margin.high, Tr("> 10 номиналов"));
}

QString YieldText(const ToleranceRecord &result)
{
    return result.judged ? Tr("Работают %1 из %2 образцов: %3 (95 %-й доверительный интервал %4 … %5)")
                               .arg(result.works)
                               .arg(result.judged)
                               .arg(Percent(result.yield), Percent(result.low), Percent(result.high))
                         : Tr("Ни один прогон не промоделирован");
}

QString NominalText(const ToleranceRecord &result)
{
    return result.nominalWorks ? Tr("С номинальными значениями триггер работает.")
                               : Tr("С номинальными значениями триггер не работает: запаса нет.");
}

QString SensitivityText(const Sensitivity &part)
{
    return QStringLiteral("%1 — %2").arg(part.part, FigureText(part.separation, 3));
}

QDoubleSpinBox *PercentBox(double value, double most, const QString &suffix)
{
    auto *box = new QDoubleSpinBox;
    box->setRange(0, most);
    box->setDecimals(1);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

// The result as the window shows it, line by line: the nominal design, each margin, the warnings, the yield, the
// ranked parts and the seed.
QStringList ResultLines(const ToleranceRecord &result)
{
    QStringList lines{NominalText(result)};
    for (const Margin &margin : result.margins)
        lines << Tr("%1 = %2: работает от %3 до %4")
                     .arg(margin.part, MarginValue(margin, margin.nominal, {}), LowText(margin), HighText(margin));
    for (const Margin &margin : result.margins)
        if (!margin.warning.isEmpty())
            lines << margin.warning;
    lines << YieldText(result);
    QStringList ranked;
    for (const Sensitivity &part : result.sensitivity)
        ranked << SensitivityText(part);
    lines << Tr("Детали по влиянию на отказы: %1").arg(ranked.join(QStringLiteral("; ")));
    lines << Tr("Начальное число: %1").arg(result.seed);
    return lines;
}

// The netlist the calculator window's values give now, as a result keeps it; empty where they give none.
QString CurrentNetlist(QWidget *calculatorWindow)
{
    Circuit circuit;
    return BuildCircuit(calculatorWindow, &circuit) ? NetlistDigest(circuit.netlist.Text()) : QString();
}

bool ComputedWith(const ToleranceRecord &result, const ToleranceOptions &options)
{
    return result.runs == options.runs && result.seed == options.seed
        && result.tolerances.resistor == options.tolerances.resistor
        && result.tolerances.capacitor == options.tolerances.capacitor
        && result.tolerances.gainSpread == options.tolerances.gainSpread;
}

std::shared_ptr<const ToleranceRecord> KeptResult(QWidget *calculatorWindow)
{
    const auto *calculator = qobject_cast<const TCalculatorWindow *>(calculatorWindow);
    return calculator ? calculator->Tolerance() : nullptr;
}

} // namespace

// What a worker thread and the window share: the analysis's input and its result.
struct TToleranceWindow::Run
{
    std::atomic_bool cancel = false;
    // The calculator's contents were replaced while it ran (a file opened, a new calculation): what it finds is
    // of the calculation that is gone.
    bool superseded = false;
    ToleranceOptions options;
    std::vector<TolerancePart> parts;
    ToleranceResult result;
    Outcome<> analysed;
};

TToleranceWindow::TToleranceWindow(QWidget *calculatorWindow)
    : QWidget(calculatorWindow, Qt::Window),
      calculatorWindow_(calculatorWindow),
      calculator_(qobject_cast<TCalculatorWindow *>(calculatorWindow)),
      builder_(new QObject(this))
{
    setWindowTitle(Tr("Запас и разброс — %1").arg(calculatorWindow->windowTitle()));
    runs_ = new QSpinBox;
    runs_->setRange(1, 100000);
    runs_->setValue(200);
    seed_ = new QLineEdit(QString::number(QRandomGenerator::system()->generate64() % 1000000));
    seed_->setObjectName(QStringLiteral("Seed"));
    seed_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{1,19}")), seed_));
    resistorTolerance_ = PercentBox(5, 50, QStringLiteral(" %"));
    capacitorTolerance_ = PercentBox(10, 80, QStringLiteral(" %"));
    gainSpread_ = PercentBox(3, 10, Tr(" раза"));
    gainSpread_->setMinimum(1);
    auto *settings = new QFormLayout;
    settings->addRow(Tr("Число прогонов:"), runs_);
    settings->addRow(Tr("Начальное число:"), seed_);
    settings->addRow(Tr("Допуск резисторов: ±"), resistorTolerance_);
    settings->addRow(Tr("Допуск конденсаторов: ±"), capacitorTolerance_);
    settings->addRow(Tr("β от минимального до большего в"), gainSpread_);
    start_ = new QPushButton(Tr("Рассчитать"));
    cancel_ = new QPushButton(Tr("Отмена"));
    cancel_->setEnabled(false);
    progress_ = new QProgressBar;
    status_ = new QLabel;
    status_->setWordWrap(true);
    stale_ = new QLabel(Tr("Устарело: значения расчёта или разброса изменились, рассчитайте снова"));
    stale_->setStyleSheet(QStringLiteral("color: #a00"));
    stale_->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    buttons->addWidget(progress_, 1);

    margins_ = new QTableWidget(0, 5);
    margins_->setHorizontalHeaderLabels({Tr("Деталь"), Tr("Номинал"), Tr("Работает от"), Tr("до"), Tr("Запас")});
    margins_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    margins_->verticalHeader()->hide();
    margins_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    warnings_ = new QLabel;
    warnings_->setWordWrap(true);
    warnings_->setStyleSheet(QStringLiteral("color: #a00"));
    yield_ = new QLabel;
    yield_->setWordWrap(true);
    histogram_ = new SwingHistogramView(this);
    sensitivity_ = new QListWidget;

    auto *marginBox = new QGroupBox(Tr("Запас по каждой детали (при остальных номинальных, в обоих крайних режимах)"));
    auto *marginLayout = new QVBoxLayout(marginBox);
    marginLayout->addWidget(margins_);
    marginLayout->addWidget(warnings_);
    auto *spreadBox = new QGroupBox(Tr("Разброс деталей (метод Монте-Карло)"));
    auto *spreadLayout = new QVBoxLayout(spreadBox);
    spreadLayout->addWidget(yield_);
    spreadLayout->addWidget(histogram_, 1);
    spreadLayout->addWidget(new QLabel(Tr("Детали, отклонение которых сильнее всего отличает неработающие образцы:")));
    spreadLayout->addWidget(sensitivity_);
    auto *splitter = new QSplitter;
    splitter->addWidget(marginBox);
    splitter->addWidget(spreadBox);
    splitter->setSizes({620, 480});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addLayout(buttons);
    layout->addWidget(status_);
    layout->addWidget(stale_);
    layout->addWidget(splitter, 1);
    resize(1100, 640);

    connect(start_, &QPushButton::clicked, this, &TToleranceWindow::Start);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (run_)
            run_->cancel = true;
    });
    // A result belongs to the design and the spreads it was computed from.
    currencyCheck_ = new QTimer(this);
    currencyCheck_->setSingleShot(true);
    currencyCheck_->setInterval(0);
    connect(currencyCheck_, &QTimer::timeout, this, &TToleranceWindow::ShowCurrency);
    const auto check = [this] { currencyCheck_->start(); };
    for (QLineEdit *box : OwnControls<QLineEdit>(calculatorWindow))
        connect(box, &QLineEdit::textChanged, this, check);
    if (calculator_) {
        connect(calculator_, &TCalculatorWindow::StepRan, this, check);
        connect(calculator_, &TCalculatorWindow::ContentsReplaced, this, [this] {
            if (run_) {
                run_->superseded = true;
                run_->cancel = true;
            }
            ShowKeptResult();
        });
        connect(calculator_, &TCalculatorWindow::SimulationParametersEdited, this, check);
    }
    connect(runs_, &QSpinBox::valueChanged, this, check);
    connect(seed_, &QLineEdit::textChanged, this, check);
    for (QDoubleSpinBox *box : {resistorTolerance_, capacitorTolerance_, gainSpread_})
        connect(box, &QDoubleSpinBox::valueChanged, this, check);
    ShowKeptResult();
}

TToleranceWindow::~TToleranceWindow()
{
    if (!worker_)
        return;
    run_->cancel = true;
    // A worker waiting for a circuit built here gets none, at once.
    while (!worker_->wait(5))
        QCoreApplication::sendPostedEvents(builder_, QEvent::MetaCall);
}

ToleranceOptions TToleranceWindow::Options() const
{
    return {.runs = runs_->value(),
            .jobs = 0,
            .seed = seed_->text().toULongLong(),
            .tolerances = {.resistor = resistorTolerance_->value() / 100,
                           .capacitor = capacitorTolerance_->value() / 100,
                           .gainSpread = gainSpread_->value()}};
}

bool TToleranceWindow::ResultIsCurrent() const
{
    const std::shared_ptr<const ToleranceRecord> result = KeptResult(calculatorWindow_);
    return result && ComputedWith(*result, Options()) && result->netlist == CurrentNetlist(calculatorWindow_);
}

void TToleranceWindow::ShowKeptResult()
{
    const std::shared_ptr<const ToleranceRecord> result = KeptResult(calculatorWindow_);
    if (result && !worker_) {
        runs_->setValue(result->runs);
        seed_->setText(QString::number(result->seed));
        resistorTolerance_->setValue(100 * result->tolerances.resistor);
        capacitorTolerance_->setValue(100 * result->tolerances.capacitor);
        gainSpread_->setValue(result->tolerances.gainSpread);
    }
    ShowResult(result ? *result : ToleranceRecord{});
    if (!result) {
        status_->clear();
        yield_->clear();
    }
    ShowCurrency();
}

void TToleranceWindow::ShowCurrency()
{
    stale_->setVisible(KeptResult(calculatorWindow_) && !ResultIsCurrent());
}

void TToleranceWindow::Start()
{
    if (worker_)
        return;
    Outcome<std::vector<TolerancePart>> parts = ToleranceParts(calculatorWindow_);
    if (!parts) {
        parts_.clear();
        status_->setText(parts.Message());
        return;
    }
    parts_ = std::move(*parts);
    run_ = std::make_shared<Run>();
    run_->options = Options();
    run_->parts = parts_;
    Circuit circuit;
    const QString netlist = BuildCircuit(calculatorWindow_, &circuit) ? circuit.netlist.Text() : QString();
    const std::shared_ptr<Run> run = run_;
    QWidget *calculator = calculatorWindow_;
    QObject *builder = builder_;
    QProgressBar *progress = progress_;
    worker_.reset(QThread::create([run, calculator, builder, progress] {
        ToleranceControl control{.cancel = &run->cancel};
        control.progress = [progress](int done, int total) {
            QMetaObject::invokeMethod(
                progress,
                [progress, done, total] {
                    progress->setMaximum(total);
                    progress->setValue(done);
                },
                Qt::QueuedConnection);
        };
        // A window's values are read on its own thread.
        control.build = [run, calculator, builder](const std::map<QString, double> &factors, Circuit *circuit) {
            Outcome<> built = Cancelled{};
            if (!run->cancel)
                QMetaObject::invokeMethod(
                    builder,
                    [&] {
                        if (!run->cancel)
                            built = BuildCircuit(calculator, factors, circuit);
                    },
                    Qt::BlockingQueuedConnection);
            return built;
        };
        run->analysed = AnalyseTolerance(calculator, run->parts, run->options, &run->result, control);
    }));
    connect(worker_.get(), &QThread::finished, this, [this, netlist] { Finish(netlist); });
    start_->setEnabled(false);
    cancel_->setEnabled(true);
    progress_->setValue(0);
    status_->setText(Tr("Идёт расчёт…"));
    worker_->start();
}

void TToleranceWindow::Finish(const QString &netlist)
{
    worker_->wait();
    worker_.reset();
    progress_->setValue(progress_->maximum());
    start_->setEnabled(true);
    cancel_->setEnabled(false);
    if (run_->analysed.IsCancelled() || run_->superseded) {
        // The result shown before, if any, stays as it was.
        status_->setText(Tr("Расчёт отменён."));
    } else if (!run_->analysed) {
        status_->setText(run_->analysed.Message());
    } else if (calculator_) {
        calculator_->SetTolerance(
            std::make_shared<const ToleranceRecord>(RecordOf(run_->result, run_->options, netlist)));
        emit calculator_->ToleranceComputed();
        ShowResult(*calculator_->Tolerance());
    }
    const bool superseded = run_->superseded;
    run_.reset();
    if (superseded)
        ShowKeptResult(); // the calculation's now, with its settings
    ShowCurrency();
    emit Finished();
}

void TToleranceWindow::ShowResult(const ToleranceRecord &result)
{
    QStringList status;
    status << NominalText(result);
    if (result.cancelled)
        status << Tr("Расчёт отменён: показано то, что успело рассчитаться.");
    if (result.failed)
        status << Tr("Не промоделировано прогонов: %1 (%2).")
                      .arg(result.failed)
                      .arg(result.failures.join(QStringLiteral("; ")));
    status << Tr("Начальное число: %1.").arg(result.seed);
    status_->setText(status.join(u' '));

    margins_->setRowCount(int(result.margins.size()));
    QStringList warnings;
    for (int row = 0; row < int(result.margins.size()); ++row) {
        const Margin &margin = result.margins[std::size_t(row)];
        const QString down = std::isfinite(margin.low) ? Percent(margin.low / margin.nominal - 1) : QStringLiteral("—");
        const QString up = std::isfinite(margin.high) ? Percent(margin.high / margin.nominal - 1) : QStringLiteral("—");
        const QStringList cells{margin.part, MarginValue(margin, margin.nominal, {}), LowText(margin), HighText(margin),
                                QStringLiteral("%1 … +%2").arg(down, up).replace(u'-', u'−')};
        for (int column = 0; column < cells.size(); ++column)
            margins_->setItem(row, column, new QTableWidgetItem(cells[column]));
        if (!margin.warning.isEmpty())
            warnings << margin.warning;
    }
    warnings_->setText(warnings.join(u'\n'));
    yield_->setText(YieldText(result));
    static_cast<SwingHistogramView *>(histogram_)->SetSwings(result.swings);
    sensitivity_->clear();
    for (const Sensitivity &part : result.sensitivity)
        sensitivity_->addItem(SensitivityText(part));
}

QStringList CurrentToleranceLines(QWidget *calculatorWindow)
{
    const auto *window = calculatorWindow->findChild<TToleranceWindow *>(QString(), Qt::FindDirectChildrenOnly);
    const std::shared_ptr<const ToleranceRecord> result = KeptResult(calculatorWindow);
    const bool current = window ? !window->Running() && window->ResultIsCurrent()
                                : result && result->netlist == CurrentNetlist(calculatorWindow);
    return current ? ResultLines(*result) : QStringList();
}

void TToleranceWindow::closeEvent(QCloseEvent *event)
{
    if (run_)
        run_->cancel = true;
    event->accept();
}

void ShowTolerance(QWidget *calculatorWindow)
{
    auto *window = calculatorWindow->findChild<TToleranceWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new TToleranceWindow(calculatorWindow);
    window->show();
    window->raise();
    window->activateWindow();
}
