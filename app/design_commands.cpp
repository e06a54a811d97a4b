#include "app/design_commands.h"

#include "app/command_line.h"
#include "app/form1.h"
#include "app/headless.h"
#include "calculators/registry.h"
#include "design/automatic_design.h"
#include "design/batch.h"
#include "design/design_command.h"
#include "files/read_file.h"
#include "files/save_file.h"
#include "simulation/simulation.h"
#include "window/calculator_window.h"
#include "window/fault_report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

#include <csignal>
#include <cstdio>

namespace {

// Ctrl+C, a closed terminal or a polite kill stops a batch as «Отмена» does: the variants finished keep their
// files and answers, where dying at once would lose them all. The second one ends the program.
volatile std::sig_atomic_t gBatchInterrupted = 0;

void StopBatchOnInterrupt()
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signal, [](int received) {
            gBatchInterrupted = 1;
            std::signal(received, SIG_DFL);
        });
    }
}

// The example value of a given box in the variants' template, from its window's row.
QString ExampleValue(const QLineEdit *box)
{
    const CalculatorRow *row = CalculatorRowNamed(box->window()->objectName());
    for (const QString &pair : QString::fromUtf8(row ? row->exampleGiven : "").split(QLatin1Char(';'))) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (equals > 0 && QStringView(pair).left(equals) == box->objectName())
            return pair.mid(equals + 1);
    }
    return {};
}

// The calculation a name stands for: its calculator's window's name or its main-menu button's text.
const CalculatorRow *CalculationRowNamed(const QString &name)
{
    const QString wanted = name.simplified();
    for (const CalculatorRow *row : CalculationRows()) {
        const auto *opening = Form1->findChild<QPushButton *>(QLatin1String(row->mainMenuButton));
        if (wanted == QLatin1String(row->name)
            || (opening && wanted.compare(opening->text().simplified(), Qt::CaseInsensitive) == 0))
            return row;
    }
    return nullptr;
}

Outcome<TCalculatorWindow *> CalculatorOrFailure(const QString &name)
{
    if (TCalculatorWindow *calculator = CalculatorNamed(name))
        return calculator;
    QStringList names;
    for (const CalculatorRow *row : CalculationRows())
        names << QLatin1String(row->name);
    return Failure{QStringLiteral("нет окна «%1»: %2 или название схемы").arg(name, names.join(QStringLiteral(", ")))};
}

QString Columns(const std::vector<GivenBox> &boxes)
{
    QStringList columns;
    for (const GivenBox &box : boxes)
        columns << box.column;
    return columns.join(QStringLiteral(", "));
}

int PrintTemplate(const QString &name)
{
    const Outcome<TCalculatorWindow *> calculator = CalculatorOrFailure(name);
    if (!calculator) {
        SayError(calculator.Message());
        return 1;
    }
    QStringList header{QStringLiteral("окно")}, example{(*calculator)->objectName()};
    for (const GivenBox &box : PlanDesign(*calculator).given) {
        header << box.column;
        example << ExampleValue(box.box);
    }
    const QByteArray text =
        (header.join(QLatin1Char(';')) + QLatin1Char('\n') + example.join(QLatin1Char(';')) + QLatin1Char('\n'))
            .toUtf8();
    std::fwrite(text.constData(), 1, text.size(), stdout);
    return 0;
}

int DesignOne(const CommandLine &commandLine)
{
    const Outcome<TCalculatorWindow *> calculator = CalculatorOrFailure(commandLine.designWindow);
    if (!calculator) {
        SayError(calculator.Message());
        return 1;
    }
    const DesignPlan plan = PlanDesign(*calculator);
    QStringList problems;
    const auto pairs = GivenDataPairs(commandLine.given, &problems);
    const Outcome<> typed =
        problems.isEmpty() ? TypeGivenData(plan, pairs) : Failure{problems.join(QStringLiteral("; "))};
    if (!typed) {
        SayError(QStringLiteral("исходные данные --given: ") + typed.Message());
        return 1;
    }
    if (const std::vector<GivenBox> missing = GivenBoxesNotNumbers(plan); !missing.empty()) {
        SayError(QStringLiteral("в --given не заданы числами: ") + Columns(missing));
        return 1;
    }
    const DesignOutcome outcome = RunDesign(plan, true);
    if (const Outcome<> saved = SaveFile(commandLine.outPath, CalculationToJson(CalculationRecordOf(plan))); !saved) {
        SayError(QStringLiteral("не удалось записать %1: %2").arg(commandLine.outPath, saved.Message()));
        return 1;
    }
    if (!outcome.Complete()) {
        SayError(QStringLiteral("«%1», шаг %2: %3; расчёт до этого шага записан в %4")
                     .arg(outcome.faultWindow)
                     .arg(outcome.faultStep)
                     .arg(outcome.fault, commandLine.outPath));
        return 1;
    }
    return 0;
}

// The variants of the file; the rows left out are named in *problems.
Outcome<std::vector<Variant>> VariantsIn(const QString &path, QStringList *problems)
{
    // A teacher's CSV is a few thousand rows; a file far larger is no list of variants.
    constexpr qint64 kLargestVariantsFile = 64 << 20;
    const Outcome<QByteArray> csv = ReadFileBytes(path, kLargestVariantsFile);
    if (!csv)
        return Failure{QStringLiteral("не удалось открыть %1: %2").arg(path, csv.Message())};
    std::vector<Variant> variants = ReadVariants(*csv, problems);
    if (variants.empty()) {
        QString message = QStringLiteral("в %1 нет ни одного варианта, который можно рассчитать").arg(path);
        for (const QString &problem : *problems)
            message += QStringLiteral("; ") + problem;
        return Failure{message};
    }
    return variants;
}

BatchOptions OptionsFor(const QString &folder, bool simulate)
{
    BatchOptions options;
    options.folder = folder;
    options.program = QStringLiteral("Ортикс-Т");
    options.version = QCoreApplication::applicationVersion();
    if (simulate) {
        options.simulate = [](TCalculatorWindow *calculator) {
            const Outcome<QByteArray> simulated = SimulationJson(calculator);
            if (!simulated)
                return std::pair(simulated.Message(), QString());
            const QJsonObject json = QJsonDocument::fromJson(*simulated).object();
            return std::pair(json.value(QStringLiteral("verdict")).toString(),
                             json.value(QStringLiteral("works")).toBool() ? QStringLiteral("true")
                                                                          : QStringLiteral("false"));
        };
    }
    return options;
}

QString Summary(int designed, int rows, const QString &folder)
{
    return QStringLiteral("рассчитано вариантов: %1 из %2; ответы в %3").arg(designed).arg(rows).arg(folder);
}

int DesignBatch(const CommandLine &commandLine)
{
    QStringList problems;
    const Outcome<std::vector<Variant>> variants = VariantsIn(commandLine.batchPath, &problems);
    if (!variants) {
        SayError(variants.Message());
        return 1;
    }
    for (const QString &problem : problems)
        SayError(problem);
    int rows = int(variants->size() + problems.size()), designed = 0, done = 0, last = 0;
    StopBatchOnInterrupt();
    const Outcome<> written = RunBatch(*variants, NewCalculation, OptionsFor(commandLine.outPath, commandLine.simulate),
                                       [&](const VariantOutcome &outcome) {
                                           ++done;
                                           last = outcome.number;
                                           designed += outcome.designed;
                                           SayError(outcome.text);
                                           return !gBatchInterrupted;
                                       });
    if (!written) {
        SayError(written.Message());
        return 1;
    }
    if (done < int(variants->size()))
        SayError(QStringLiteral("расчёт прерван после варианта %1").arg(last));
    SayError(Summary(designed, rows, commandLine.outPath));
    return designed == rows ? 0 : 1;
}

} // namespace

std::vector<std::unique_ptr<TCalculatorWindow>> NewCalculation(const QString &name)
{
    if (const CalculatorRow *row = CalculationRowNamed(name))
        return NewCalculationOf(*row);
    return {};
}

bool MayWriteAnswersInto(QWidget *parent, const QString &folder)
{
    const QDir answers(folder);
    if (!answers.exists(QStringLiteral("ответы.csv"))
        && answers.entryList({QStringLiteral("вариант-*.ortix")}, QDir::Files).isEmpty())
        return true;
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(),
                    QStringLiteral("В папке «%1» уже есть ответы пакетного расчёта. Заменить их?")
                        .arg(QDir::toNativeSeparators(folder)),
                    QMessageBox::Yes | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Заменить"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Yes;
}

void RunBatchWithDialogs(QWidget *parent)
{
    const QString path = QFileDialog::getOpenFileName(parent, QStringLiteral("Пакетный расчёт: варианты"), QString(),
                                                      QStringLiteral("Варианты CSV (*.csv);;Все файлы (*)"));
    if (path.isEmpty())
        return;
    QStringList problems;
    const Outcome<std::vector<Variant>> variants = VariantsIn(path, &problems);
    if (!variants) {
        ShowFailure(parent, variants);
        return;
    }
    const QString folder = QFileDialog::getExistingDirectory(parent, QStringLiteral("Пакетный расчёт: папка ответов"),
                                                             QFileInfo(path).absolutePath());
    if (folder.isEmpty() || !MayWriteAnswersInto(parent, folder))
        return;
    QProgressDialog progress(QStringLiteral("Расчёт вариантов…"), QStringLiteral("Отмена"), 0, int(variants->size()),
                             parent);
    progress.setWindowTitle(QCoreApplication::applicationName());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    const int rows = int(variants->size() + problems.size());
    int done = 0, designed = 0;
    const Outcome<> written =
        RunBatch(*variants, NewCalculation, OptionsFor(folder, false), [&](const VariantOutcome &outcome) {
            designed += outcome.designed;
            if (!outcome.designed)
                problems << outcome.text;
            progress.setLabelText(outcome.text);
            progress.setValue(++done);
            return !progress.wasCanceled();
        });
    progress.close();
    if (!written) {
        ShowFailure(parent, written);
        return;
    }
    QString text = Summary(designed, rows, folder);
    text[0] = text[0].toUpper();
    if (done < int(variants->size()))
        text += QStringLiteral("\nРасчёт отменён после варианта %1.").arg(done);
    constexpr int kShownProblems = 10;
    for (const QString &problem : problems.mid(0, kShownProblems))
        text += QStringLiteral("\n• ") + problem;
    if (problems.size() > kShownProblems)
        text += QStringLiteral("\n… и ещё %1").arg(problems.size() - kShownProblems);
    QMessageBox box(designed == rows ? QMessageBox::Information : QMessageBox::Warning,
                    QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

TCalculatorWindow *CalculatorNamed(const QString &name)
{
    const CalculatorRow *row = CalculationRowNamed(name);
    return row ? row->windowClass.program() : nullptr;
}

int RunDesignCommandLine(const CommandLine &commandLine)
{
    if (!commandLine.batchTemplate.isEmpty())
        return PrintTemplate(commandLine.batchTemplate);
    if (!commandLine.batchPath.isEmpty())
        return DesignBatch(commandLine);
    return DesignOne(commandLine);
}
