#include "design/automatic_design.h"

#include "design/accept_rule.h"
#include "documents/window_records.h"
#include "number_text/decimal_mark.h"
#include "number_text/exception.h"
#include "number_text/number_text.h"
#include "window/calculator_window.h"
#include "window/fault_report.h"
#include "window_structure/window_reading.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>
#include <set>

namespace {

// Latin letters that the windows print for their Cyrillic look-alikes: "Eк1" is "Ек1".
QString InCyrillic(QString text)
{
    static const QString kLatin = QStringLiteral("ABCEHKMOPTXaceopxy");
    static const QString kCyrillic = QStringLiteral("АВСЕНКМОРТХасеорху");
    for (QChar &c : text) {
        const qsizetype at = kLatin.indexOf(c);
        if (at >= 0)
            c = kCyrillic[at];
    }
    return text;
}

QStringList Tokens(const QString &words)
{
    static const QRegularExpression kSeparators(QStringLiteral("[\\s|,:;()=]+"));
    return InCyrillic(words).split(kSeparators, Qt::SkipEmptyParts);
}

// A symbol, not a word: "Uки", "tокр", "I'к1", "Rк.б" against "питания".
bool IsSymbol(const QString &token)
{
    return !token.isEmpty() && !std::all_of(token.begin(), token.end(), [](QChar c) {
        return c.isLower() && c.script() == QChar::Script_Cyrillic;
    });
}

QString LastToken(const QString &words)
{
    const QStringList tokens = Tokens(words);
    return tokens.isEmpty() ? QString() : tokens.back();
}

bool IsNumber(const QString &text)
{
    try {
        NumberFromText(text);
        return true;
    } catch (const EConvertError &) {
        return false;
    }
}

// What a message calls a box: the whole text of its line before it, "Задаёмся напряжением источника Еб в
// пределах от 1 до 2 В. Еб", where the box's own words may be only the end of it.
QString Description(const ReadLine &line, const QLineEdit *box, const QString &words)
{
    QString piece = line.pieces.value(line.boxes.indexOf(box)).simplified();
    while (!piece.isEmpty() && QStringLiteral("=+:").contains(piece.back()))
        piece = piece.chopped(1).trimmed();
    if (piece.endsWith(words) && piece.size() > words.size())
        return piece;
    return words.isEmpty() ? box->objectName() : words;
}

// Plans one window; accepted holds the calculator's accept boxes by symbol, and gains this window's.
WindowPlan PlanWindow(TCalculatorWindow *window, bool follows, std::map<QString, QLineEdit *> &accepted,
                      std::vector<std::pair<GivenBox, QString>> &given)
{
    const WindowReading reading = ReadWindow(window);
    WindowPlan plan;
    plan.window = window;
    std::set<int> computing;
    for (const ResultReading &result : reading.results)
        computing.insert(reading.StepOf(result.label));
    for (qsizetype i = 0; i < reading.steps.size(); ++i) {
        if (computing.count(int(i) + 1)) {
            plan.steps << reading.steps[i];
            plan.stepNumbers << int(i) + 1;
        }
    }
    // Names in the answers: the step, and for a window that follows the calculator, its title first.
    const QString prefix = follows ? window->windowTitle().trimmed() + QStringLiteral(" — ") : QString();
    const auto named = [&](int step, const QString &words) {
        return prefix + QStringLiteral("Шаг %1: ").arg(step) + words;
    };
    std::map<const QLineEdit *, BoxReading> boxes;
    for (const BoxReading &box : reading.boxes)
        boxes[box.box] = box;
    std::map<const QLabel *, QString> captions;
    for (const ResultReading &result : reading.results)
        captions[result.label] = result.caption;
    for (const ReadLine &line : reading.lines) {
        for (QLineEdit *box : line.boxes) {
            const BoxReading &read = boxes[box];
            const QString &words = read.words;
            const QString symbol = LastToken(words);
            FilledBox filled{
                box,
                std::max(1, line.step),
                nullptr,
                QString(),
                {},
                read.unit,
                nullptr,
                named(std::max(1, line.step), words + (read.unit.isEmpty() ? QString() : QStringLiteral(", ") + read.unit))};
            if (follows) {
                const auto repeated = accepted.find(InCyrillic(words.simplified()));
                filled.repeated = repeated != accepted.end() ? repeated->second : nullptr;
            } else if (read.result) {
                filled.result = read.result;
                filled.caption = captions[read.result];
                filled.bound = BoundInCaption(filled.caption);
                accepted[symbol] = box;
            }
            if (filled.result || filled.repeated)
                plan.filled.push_back(filled);
            else
                given.push_back({GivenBox{box, Description(line, box, words), QString(), box->objectName(),
                                          !window->BoxesNoStepReads().contains(box->objectName())},
                                 IsSymbol(symbol) ? symbol : QString()});
        }
        for (QLabel *result : line.results) {
            const QString &caption = captions[result];
            plan.results.push_back({result, named(line.step, caption.isEmpty() ? result->objectName() : caption)});
        }
    }
    std::stable_sort(plan.filled.begin(), plan.filled.end(),
                     [](const FilledBox &a, const FilledBox &b) { return a.step < b.step; });
    return plan;
}

// The text the box takes, with the tooltip that tells where it came from; none when there is none.
std::optional<std::pair<QString, QString>> StandardText(const FilledBox &filled, const CalculationModel &model)
{
    if (filled.repeated) {
        if (filled.repeated->text().isEmpty())
            return std::nullopt;
        return std::pair(filled.repeated->text(), QStringLiteral("подставлено: значение, принятое в расчёте триггера"));
    }
    const ResultValue result = model.Result(filled.result->objectName());
    const std::optional<AcceptedValue> accepted = ValueToAccept(result.values, result.unit, filled.bound, filled.unit);
    if (!accepted)
        return std::nullopt;
    return std::pair(NumberToText(accepted->value), QStringLiteral("подставлено: ") + accepted->how);
}

} // namespace

QString GivenBox::QualifiedName() const
{
    return box->window()->objectName() + QLatin1Char('.') + name;
}

DesignPlan PlanDesign(TCalculatorWindow *calculator)
{
    DesignPlan plan;
    std::map<QString, QLineEdit *> accepted;
    std::vector<std::pair<GivenBox, QString>> given;
    plan.windows.push_back(PlanWindow(calculator, false, accepted, given));
    if (auto *following = qobject_cast<TCalculatorWindow *>(calculator->FollowingCalculation()))
        plan.windows.push_back(PlanWindow(following, true, accepted, given));
    // A symbol names a column when it names nothing else: "R1" of «напряжение на резисторе R1» is no column.
    std::map<QString, int> shown;
    for (const auto &[box, symbol] : given)
        ++shown[symbol];
    for (const auto &[symbol, box] : accepted)
        ++shown[symbol];
    for (auto &[box, symbol] : given) {
        const bool ownWindow = box.box->window() == calculator;
        box.column = !symbol.isEmpty() && shown[symbol] == 1 ? symbol : ownWindow ? box.name : box.QualifiedName();
        plan.given.push_back(box);
    }
    return plan;
}

std::vector<GivenBox> GivenBoxesNotNumbers(const DesignPlan &plan)
{
    std::vector<GivenBox> notNumbers;
    std::copy_if(plan.given.begin(), plan.given.end(), std::back_inserter(notNumbers),
                 [](const GivenBox &given) { return given.needed && !IsNumber(given.box->text()); });
    return notNumbers;
}

QList<QLineEdit *> TypedBoxes(const DesignPlan &plan)
{
    QList<QLineEdit *> typed;
    for (const WindowPlan &window : plan.windows) {
        for (const FilledBox &filled : window.filled) {
            if (!filled.box->text().isEmpty())
                typed << filled.box;
        }
    }
    return typed;
}

DesignOutcome RunDesign(const DesignPlan &plan, bool replaceTyped)
{
    DesignOutcome outcome;
    const auto fill = [&](const FilledBox &filled, const CalculationModel &model) {
        if (!replaceTyped && !filled.box->text().isEmpty())
            return;
        const std::optional<std::pair<QString, QString>> standard = StandardText(filled, model);
        if (!standard)
            return;
        outcome.changed.push_back({filled.box, filled.box->text(), filled.box->toolTip()});
        filled.box->setText(standard->first);
        filled.box->setToolTip(standard->second);
    };
    for (const WindowPlan &window : plan.windows) {
        auto next = window.filled.begin();
        for (qsizetype i = 0; i < window.steps.size(); ++i) {
            for (; next != window.filled.end() && next->step <= window.stepNumbers[i]; ++next)
                fill(*next, window.window->Model());
            const TFaultCollector collector;
            window.steps[i]->click();
            outcome.lastPressed = window.steps[i];
            if (!collector.Fault().isEmpty()) {
                outcome.fault = collector.Fault();
                outcome.faultWindow = window.window->windowTitle().trimmed();
                outcome.faultStep = window.stepNumbers[i];
                return outcome;
            }
        }
        for (; next != window.filled.end(); ++next)
            fill(*next, window.window->Model());
    }
    return outcome;
}

Outcome<> TypeGivenData(const DesignPlan &plan, const std::vector<std::pair<QString, QString>> &values)
{
    QStringList problems;
    std::vector<std::pair<QLineEdit *, QString>> typed;
    for (const auto &[column, value] : values) {
        const auto given = std::find_if(plan.given.begin(), plan.given.end(), [&](const GivenBox &box) {
            return box.column == column || box.name == column
                || (column.endsWith(box.name) && column == box.QualifiedName());
        });
        if (given == plan.given.end()) {
            problems << QStringLiteral("«%1»: такого поля исходных данных нет").arg(column);
            continue;
        }
        QString text = value.trimmed();
        text.replace(QLatin1Char(','), QLatin1Char(DecimalMark)).replace(QLatin1Char('.'), QLatin1Char(DecimalMark));
        if (!text.isEmpty() && !IsNumber(text)) {
            problems << QStringLiteral("«%1»: «%2» — не число").arg(column, value);
            continue;
        }
        typed.emplace_back(given->box, text);
    }
    if (!problems.isEmpty())
        return Failure{problems.join(QStringLiteral("; "))};
    // A box typed costs as much as a step: a batch's next variant types only what changes.
    for (const GivenBox &given : plan.given) {
        const auto last =
            std::find_if(typed.rbegin(), typed.rend(), [&](const auto &box) { return box.first == given.box; });
        const QString text = last != typed.rend() ? last->second : QString();
        if (given.box->text() != text)
            given.box->setText(text);
    }
    return {};
}

CalculationRecord CalculationRecordOf(const DesignPlan &plan)
{
    std::vector<TCalculatorWindow *> windows;
    for (const WindowPlan &window : plan.windows)
        windows.push_back(window.window);
    return RecordOf(windows);
}

std::vector<std::pair<QString, QString>> GivenDataPairs(const QString &text, QStringList *problems)
{
    std::vector<std::pair<QString, QString>> pairs;
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals <= 0 || part.left(equals).trimmed().isEmpty())
            *problems << QStringLiteral("«%1»: нужно «поле=число»").arg(part.trimmed());
        else
            pairs.emplace_back(part.left(equals).trimmed(), part.mid(equals + 1).trimmed());
    }
    return pairs;
}
