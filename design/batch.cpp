#include "design/batch.h"

#include "documents/window_records.h"
#include "files/save_file.h"
#include "report/report_model.h"
#include "window/calculator_window.h"

#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <thread>

namespace {

// The cells of one CSV line; a quoted cell may hold the separator and doubled quotes.
QStringList Cells(const QString &line, QChar separator)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
            cell += c;
            ++i;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            cells << cell.trimmed();
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells << cell.trimmed();
    return cells;
}

QString CsvCell(QString text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The answers in columns: every variant's cells under the union of the columns, in the order they came.
class AnswerTable
{
public:
    void Add(const QString &column, const QString &cell)
    {
        // A column named twice in a row is told apart by its repeat: "… (2)".
        size_t index = IndexOf(column);
        for (int repeat = 2; index < row_.size() && row_[index]; ++repeat)
            index = IndexOf(column + QStringLiteral(" (%1)").arg(repeat));
        if (index >= row_.size())
            row_.resize(index + 1);
        row_[index] = cell;
    }
    void EndRow() { rows_.push_back(std::exchange(row_, {})); }

    QByteArray Csv() const
    {
        QStringList lines;
        QStringList header;
        for (const QString &column : columns_)
            header << CsvCell(column);
        lines << header.join(QLatin1Char(';'));
        for (const std::vector<std::optional<QString>> &row : rows_) {
            QStringList cells;
            for (size_t column = 0; column < columns_.size(); ++column)
                cells << CsvCell(column < row.size() && row[column] ? *row[column] : QString());
            lines << cells.join(QLatin1Char(';'));
        }
        // A spreadsheet opens UTF-8 as such after its byte order mark.
        return QByteArrayLiteral("\xEF\xBB\xBF") + (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    }

private:
    size_t IndexOf(const QString &column)
    {
        const auto [known, added] = indexes_.try_emplace(column, columns_.size());
        if (added)
            columns_.push_back(column);
        return known->second;
    }

    std::vector<QString> columns_;
    std::unordered_map<QString, size_t> indexes_;
    std::vector<std::vector<std::optional<QString>>> rows_;
    std::vector<std::optional<QString>> row_;
};

// Work done on a thread of its own, task after task in the order posted, while the batch designs the next variants.
class BackgroundThread
{
public:
    BackgroundThread() : thread_([this] { Run(); }) {}
    ~BackgroundThread() { Finish(); }
    BackgroundThread(const BackgroundThread &) = delete;
    BackgroundThread &operator=(const BackgroundThread &) = delete;

    void Post(std::function<void()> task)
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        ready_.notify_one();
    }

    // Waits until every task is done.
    void Finish()
    {
        {
            const std::lock_guard lock(mutex_);
            finishing_ = true;
            ready_.notify_all();
        }
        if (thread_.joinable())
            thread_.join();
    }

private:
    void Run()
    {
        for (;;) {
            std::function<void()> task;
            {
                std::unique_lock lock(mutex_);
                ready_.wait(lock, [this] { return finishing_ || !tasks_.empty(); });
                if (tasks_.empty())
                    return;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> tasks_;
    bool finishing_ = false;
    std::thread thread_; // last: it starts working once the rest is made
};

// The reports of the variants, each from a new page under its heading «Вариант N»: written on a thread of their
// own, from reports of windows that stay as they are until the key is finished. The PDF's fonts are that
// thread's: made, used and let go there.
class AnswerKey
{
    inline static const QString kKeyTitle = QStringLiteral("Ответы");

public:
    // Its fonts are found while the batch reads its first windows.
    explicit AnswerKey(bool wanted)
    {
        if (wanted)
            thread_.Post([this] { pdf_ = std::make_unique<PdfOfReports>(); });
    }
    ~AnswerKey()
    {
        thread_.Post([this] { pdf_.reset(); });
        thread_.Finish();
    }

    void Add(int number, Report report)
    {
        thread_.Post([this, number, report = std::move(report)]() mutable { Write(number, report); });
    }

    // The key, once every report is added; empty without any.
    std::pair<QString, QByteArray> HtmlAndPdf()
    {
        QByteArray pdf;
        thread_.Post([&] {
            if (pdf_)
                pdf = pdf_->Finish(kKeyTitle);
            pdf_.reset();
        });
        thread_.Finish();
        if (body_.isEmpty())
            return {};
        return {head_ + QStringLiteral("<body>\n") + body_ + QStringLiteral("</body>\n</html>\n"), pdf};
    }

private:
    void Write(int number, Report &report)
    {
        report.title = kKeyTitle; // the key's own, not its first variant's circuit
        const QString page = RenderHtml(report, PictureData::Svg);
        const qsizetype bodyStart = page.indexOf(QStringLiteral("<body>"));
        const qsizetype bodyEnd = page.lastIndexOf(QStringLiteral("</body>"));
        if (bodyStart < 0 || bodyEnd < bodyStart)
            return;
        const QString heading = QStringLiteral("Вариант %1").arg(number);
        if (head_.isEmpty())
            head_ = page.left(bodyStart);
        body_ += QStringLiteral("<h1 style=\"page-break-before: %1\">%2</h1>\n")
                     .arg(body_.isEmpty() ? QStringLiteral("auto") : QStringLiteral("always"), heading);
        body_ += page.mid(bodyStart + 6, bodyEnd - bodyStart - 6);
        if (!report.parts.isEmpty())
            report.parts.front().headings.prepend(heading);
        pdf_->Add(report);
    }

    QString head_;
    QString body_;
    std::unique_ptr<PdfOfReports> pdf_;
    BackgroundThread thread_;
};

// Writes the variants' files while the next variants are designed; they take their names together once the disk
// holds them all (FilesSavedTogether).
class FileWriter
{
public:
    explicit FileWriter(FilesSavedTogether &files) : files_(files) {}

    void Write(const QString &path, const CalculationRecord &record)
    {
        thread_.Post([this, path, record] {
            if (const Outcome<> saved = files_.Write(path, CalculationToJson(record)); !saved && error_.isEmpty())
                error_ = QStringLiteral("не удалось записать %1: %2").arg(path, saved.Message());
        });
    }

    // Waits for every file; the first failure, naming its file.
    Outcome<> Finish()
    {
        thread_.Finish();
        if (!error_.isEmpty())
            return Failure{error_};
        return {};
    }

private:
    FilesSavedTogether &files_;
    QString error_; // read once the thread is finished
    BackgroundThread thread_;
};

struct Calculation
{
    std::vector<std::unique_ptr<TCalculatorWindow>> windows;
    DesignPlan plan;
};

QString FaultText(const DesignOutcome &outcome)
{
    return QStringLiteral("«%1», шаг %2: %3").arg(outcome.faultWindow).arg(outcome.faultStep).arg(outcome.fault);
}

} // namespace

std::vector<Variant> ReadVariants(const QByteArray &csv, QStringList *problems)
{
    QString text = QString::fromUtf8(csv);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QChar separator = lines.front().contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    const QStringList header = Cells(lines.front().trimmed(), separator);
    const qsizetype windowColumn = header.indexOf(QStringLiteral("окно"), 0);
    if (windowColumn < 0) {
        *problems << QStringLiteral("строка 1: нет столбца «окно»");
        return {};
    }
    std::vector<Variant> variants;
    int number = 0;
    for (qsizetype line = 1; line < lines.size(); ++line) {
        if (lines[line].trimmed().isEmpty())
            continue;
        const QStringList cells = Cells(lines[line].trimmed(), separator);
        Variant variant{++number, int(line) + 1, cells.value(windowColumn), {}};
        for (qsizetype column = 0; column < cells.size(); ++column) {
            if (column == windowColumn || cells[column].isEmpty())
                continue;
            variant.given.emplace_back(column < header.size() ? header[column] : QStringLiteral("№%1").arg(column + 1),
                                       cells[column]);
        }
        if (variant.window.isEmpty())
            *problems << QStringLiteral("вариант %1 (строка %2): не указано окно").arg(number).arg(variant.line);
        else
            variants.push_back(variant);
    }
    return variants;
}

Outcome<> RunBatch(const std::vector<Variant> &variants, const CalculationFactory &factory, const BatchOptions &options,
                   const std::function<bool(const VariantOutcome &)> &progress)
{
    const QDir folder(options.folder);
    if (!folder.exists() && !QDir().mkpath(options.folder))
        return Failure{QStringLiteral("не удалось создать папку %1").arg(options.folder)};
    std::map<QString, Calculation> calculations;
    AnswerTable answers;
    AnswerKey key(options.answerKey);
    FilesSavedTogether files;
    FileWriter writer(files);
    for (const Variant &variant : variants) {
        VariantOutcome outcome{variant.number, false, QString()};
        const QString said =
            QStringLiteral("вариант %1 (строка %2, %3): ").arg(variant.number).arg(variant.line).arg(variant.window);
        auto found = calculations.find(variant.window);
        if (found == calculations.end()) {
            Calculation calculation{factory(variant.window), {}};
            if (!calculation.windows.empty())
                calculation.plan = PlanDesign(calculation.windows.front().get());
            found = calculations.emplace(variant.window, std::move(calculation)).first;
        }
        const Calculation &calculation = found->second;
        QStringList problems;
        if (calculation.windows.empty()) {
            problems << QStringLiteral("нет окна «%1»").arg(variant.window);
        } else {
            // The given boxes are typed over, each only where the variant changes it.
            QList<const QLineEdit *> given;
            for (const GivenBox &box : calculation.plan.given)
                given << box.box;
            for (const std::unique_ptr<TCalculatorWindow> &window : calculation.windows)
                ClearWindow(window.get(), given);
            if (const Outcome<> typed = TypeGivenData(calculation.plan, variant.given); !typed) {
                problems << typed.Message();
            } else {
                QStringList missing;
                for (const GivenBox &box : GivenBoxesNotNumbers(calculation.plan))
                    missing << box.column;
                if (!missing.isEmpty())
                    problems << QStringLiteral("не заданы числами: ") + missing.join(QStringLiteral(", "));
            }
        }
        if (!problems.isEmpty()) {
            outcome.text = said + QStringLiteral("пропущен: ") + problems.join(QStringLiteral("; "));
            if (!progress(outcome))
                break;
            continue;
        }

        const DesignPlan &plan = calculation.plan;
        TCalculatorWindow *calculator = calculation.windows.front().get();
        const DesignOutcome designed = RunDesign(plan, true);
        const QString fileName = QStringLiteral("вариант-%1.ortix").arg(variant.number, 3, 10, QLatin1Char('0'));
        writer.Write(folder.filePath(fileName), CalculationRecordOf(plan));
        answers.Add(QStringLiteral("вариант"), QString::number(variant.number));
        answers.Add(QStringLiteral("окно"), calculator->objectName());
        for (const GivenBox &box : plan.given)
            answers.Add(box.column, box.box->text());
        for (const WindowPlan &window : plan.windows) {
            for (const NamedResult &result : window.results)
                answers.Add(result.name, window.window->Model().Result(result.label->objectName()).text);
        }
        for (const WindowPlan &window : plan.windows) {
            for (const FilledBox &filled : window.filled)
                answers.Add(filled.name, filled.box->text());
        }
        answers.Add(QStringLiteral("сбой"), designed.Complete() ? QString() : FaultText(designed));
        if (options.simulate) {
            const auto [verdict, works] = options.simulate(calculator);
            answers.Add(QStringLiteral("вердикт"), verdict);
            answers.Add(QStringLiteral("works"), works);
        }
        answers.EndRow();
        if (options.answerKey)
            key.Add(variant.number,
                    BuildReport(calculator, {options.program, options.version, QDate::currentDate(), fileName}));
        outcome.designed = designed.Complete();
        outcome.text = said
            + (designed.Complete()
                   ? QStringLiteral("рассчитан, ") + fileName
                   : QStringLiteral("остановлен: ") + FaultText(designed) + QStringLiteral(", ") + fileName);
        if (!progress(outcome))
            break;
    }
    const auto save = [&](const QString &name, const QByteArray &contents) -> Outcome<> {
        if (const Outcome<> written = files.Write(folder.filePath(name), contents); !written)
            return Failure{QStringLiteral("не удалось записать %1: %2").arg(folder.filePath(name), written.Message())};
        return {};
    };
    Outcome<> written = writer.Finish();
    if (written)
        written = save(QStringLiteral("ответы.csv"), answers.Csv());
    if (const auto [html, pdf] = key.HtmlAndPdf(); written && options.answerKey && !html.isEmpty()) {
        written = save(QStringLiteral("ответы.html"), html.toUtf8());
        if (written)
            written = save(QStringLiteral("ответы.pdf"), pdf);
    }
    // What was written is kept when a later file failed: the variants finished before it.
    if (const Outcome<> committed = files.Commit(); !committed)
        return Failure{QStringLiteral("не удалось записать ответы: %1").arg(committed.Message())};
    return written;
}
