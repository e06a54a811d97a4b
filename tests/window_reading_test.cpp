// How a window reads: each box's words and unit, each result's caption, the step each is read in and
// the order of it all; and each window's declared structure checked against its layout, as a person sees it.
#include "app/form1.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"
#include "window_look/control_kinds.h"
#include "window/designed_window.h"
#include "window_structure/window_reading.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <map>

namespace {

using CasesOf = const CalculatorCases &(*)();

struct ControlReading
{
    CasesOf window;
    const char *control; // an edit box or a result
    const char *words;   // a box's words or a result's caption
    const char *unit;    // a box's unit
    int step;
};

const ControlReading kReadings[] = {
    // Given data, above the first step.
    {Form2Cases, "Edit1", "Амплитуда положительных импульсов Uки", "В", 0},
    {Form2Cases, "Edit3", "Максимальная температура окружающей среды tокр", "С", 0},
    {Form5Cases, "Edit2", "Амплитуда выходных импульсов на коллекторе Т2, не менее", "В", 0},
    // A box beside its prompt's end has no unit; the words after a symbol letter's run.
    {Form2Cases, "Edit6", "статический коэффициент передачи тока (минимальное значение)", "", 3},
    {Form5Cases, "Edit7", "транзистора Т1 при температуре tmin", "", 1},
    // A unit in brackets; boxes in one prompt.
    {Form2Cases, "Edit13", "Коэффициент насыщения", "(для триггера - 1,5...2,0)", 5},
    {Form3Cases, "Edit9", "максимальный ток коллектора", "мА", 3},
    {Form7Cases, "Edit22", "Rб2", "Ом", 7},
    // The values accepted right over a step's band are that step's.
    {Form2Cases, "Edit4", "Примем напряжение Ек", "В", 2},
    {Form2Cases, "Edit10", "Примем сопротивления резисторов Rк", "Ом", 4},
    {Form5Cases, "Edit13", "Примем ток I'к1", "мА", 3},
    {Form4Cases, "Edit16", "Примем сопротивление R2", "Ом", 9},
    // Results by their captions; below the last band, the last step's.
    {Form2Cases, "Label14", "Требуемое напряжение источника питания Ек", "", 1},
    {Form2Cases, "Label29", "Сопротивление резисторов Rк, не менее", "", 3},
    {Form2Cases, "Label75", "рабочая температура более", "", 11},
    {Form5Cases, "Label26", "Sн1max", "", 1},
    {Form3Cases, "Label77", "рабочая температура более", "", 13},
    // A window without "Шаг" buttons steps by its buttons; a button captions the result after it.
    {Form6Cases, "Edit3", "Сопротивление нагрузки Rн", "Ом", 1},
    {Form6Cases, "Label15", "ток коллектора Т2", "", 1},
    {Form6Cases, "Label17", "Rк2 (с учётом нагрузки)", "", 2},
    {Form6Cases, "Label40", "Амплитуда импульсов, формируемых на нагрузке", "", 3},
};

// What the reading says of each box and result, "words|unit|step" by name, and of each line.
std::map<QString, QString> Described(const WindowReading &reading)
{
    std::map<QString, QString> described;
    for (const BoxReading &box : reading.boxes)
        described[box.box->objectName()] = box.words + '|' + box.unit + '|' + QString::number(reading.StepOf(box.box));
    for (const ResultReading &result : reading.results)
        described[result.label->objectName()] = result.caption + "||" + QString::number(reading.StepOf(result.label));
    for (const ReadLine &line : reading.lines)
        described[line.anchor->objectName()] += line.pieces.join('|') + QString::number(line.step);
    return described;
}

TEST(WindowReading, ReadsEachBoxAndResultByItsWordsAndStep)
{
    for (const ControlReading &row : kReadings) {
        const std::unique_ptr<QWidget> window = row.window().create(); // never shown
        EXPECT_EQ(Described(ReadWindow(window.get()))[QString::fromLatin1(row.control)],
                  QString::fromUtf8(row.words) + '|' + QString::fromUtf8(row.unit) + '|' + QString::number(row.step))
            << row.window().name << " " << row.control;
    }
}

// The fonts that place a prompt's runs of blanks are given at the first show; a window is checked against
// its layout with them, and reads the same, before it.
TEST(WindowReading, ReadsTheSameBeforeAndAfterItsFirstShow)
{
    for (CasesOf cases : {Form2Cases, Form3Cases, Form4Cases, Form5Cases, Form6Cases, Form7Cases}) {
        const std::unique_ptr<QWidget> window = cases().create();
        const WindowReading before = ReadWindow(window.get());
        EXPECT_EQ(before.steps.size(), cases().steps) << cases().name;
        EXPECT_EQ(before.boxes.size(), window->findChildren<QLineEdit *>().size()) << cases().name;
        std::map<QLabel *, QFont> fonts;
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->property("kind") != QStringLiteral("picture"))
                fonts[label] = FontOfKind(label);
        }
        window->show();
        EXPECT_EQ(Described(before), Described(ReadWindow(window.get()))) << cases().name;
        for (const auto &[label, font] : fonts)
            EXPECT_EQ(font.toString(), label->font().toString())
                << cases().name << " " << label->objectName().toStdString();
    }
}

// The layout as a person reads it, to check each declaration against. Controls whose middles lie this
// close read as one row; a caption's last blank may reach this far under the result after it.
constexpr int kRowSlack = 8;
constexpr int kCaptionSlack = 8;

int Middle(const QWidget *control)
{
    return control->y() + control->height() / 2;
}

bool OnTheSameRow(const QWidget *a, const QWidget *b)
{
    return a->y() < b->y() + b->height() && b->y() < a->y() + a->height();
}

QString KindOf(const QWidget *control)
{
    return control->property("kind").toString();
}

// A piece without the signs that end it: "tокр = +" is read "tокр" (words), "В;" is "В" (a unit).
QString Ended(const QString &piece, const char *signs)
{
    QString text = piece.simplified();
    while (!text.isEmpty() && QString::fromLatin1(signs).contains(text.back()))
        text = text.chopped(1).trimmed();
    return text;
}

// A prompt's text cut at its runs of two or more blanks, with what stands over each run: an edit box
// cuts it, a symbol's letter fills it, nothing leaves one blank.
struct PromptAsSeen
{
    QStringList pieces;                                           // simplified; one more than the boxes
    QList<QLineEdit *> boxes;                                     // standing over its runs, left to right
    std::map<const QWidget *, std::pair<QString, QString>> words; // a box's: the texts right before and after its run
    QString lastWords; // what a box or result after its end is called: the words after its last run
};

PromptAsSeen SeePrompt(const QLabel *prompt)
{
    QList<QWidget *> over;
    for (QWidget *control : OwnControls<QWidget>(prompt->window())) {
        if ((qobject_cast<QLineEdit *>(control) || KindOf(control) == QLatin1String("symbol"))
            && control->geometry().intersects(prompt->geometry()))
            over << control;
    }
    const QString text = prompt->text();
    const QFontMetricsF metrics(FontOfKind(prompt));
    QStringList texts{QString()}; // cut at each run that no symbol fills
    QList<QLineEdit *> cutBy;     // a run's box, or none
    QString afterLastRun;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        while (end < text.size() && text[end] == u' ')
            ++end;
        if (end - i < 2) {
            texts.back() += text[i];
            afterLastRun += text[i];
            i = std::max(end, i + 1);
            continue;
        }
        const qreal from = prompt->x() + metrics.horizontalAdvance(text.left(i));
        const qreal to = prompt->x() + metrics.horizontalAdvance(text.left(end));
        const auto standing = std::find_if(over.begin(), over.end(), [&](const QWidget *control) {
            const qreal middle = control->x() + control->width() / 2.0;
            return from <= middle && middle <= to;
        });
        afterLastRun.clear();
        if (standing != over.end() && !qobject_cast<QLineEdit *>(*standing)) {
            texts.back() += u' ' + SymbolLettersToGreek(static_cast<const QLabel *>(*standing)->text()) + u' ';
        } else {
            cutBy << (standing != over.end() ? static_cast<QLineEdit *>(*standing) : nullptr);
            texts << QString();
        }
        i = end;
    }
    PromptAsSeen seen;
    seen.pieces << texts.front().simplified();
    for (qsizetype k = 0; k < cutBy.size(); ++k) {
        if (!cutBy[k]) {
            seen.pieces.back() = (seen.pieces.back() + u' ' + texts[k + 1]).simplified();
            continue;
        }
        seen.pieces << texts[k + 1].simplified();
        seen.boxes << cutBy[k];
        seen.words[cutBy[k]] = {Ended(texts[k], "=+:"), Ended(texts[k + 1], ";,")};
    }
    seen.lastWords = Ended(afterLastRun, "=+:");
    return seen;
}

// The caption nearest to the control's left on its row: a prompt, or a button that is no «Шаг».
const QWidget *CaptionBefore(const QWidget *control, const QList<QWidget *> &captions)
{
    const QWidget *nearest = nullptr;
    for (const QWidget *caption : captions) {
        if (OnTheSameRow(caption, control) && caption->x() + caption->width() <= control->x() + kCaptionSlack
            && (!nearest || caption->x() > nearest->x()))
            nearest = caption;
    }
    return nearest;
}

QString CaptionWords(const QWidget *caption)
{
    if (!caption)
        return {};
    if (const auto *button = qobject_cast<const QPushButton *>(caption))
        return Ended(button->text(), "=+:");
    return SeePrompt(static_cast<const QLabel *>(caption)).lastWords;
}

// The step a line's place gives it: the band (its step button's height) that holds its middle; above
// the first band none, below the last the last; between two bands the one above, or the one below for
// «Примем ...» prompts with boxes that only such prompts follow before that band.
int StepByPlace(const ReadLine &line, const QList<QPushButton *> &steps, const QList<ReadLine> &lines)
{
    const auto band = [&](const ReadLine &of) -> double {
        for (qsizetype k = 0; k < steps.size(); ++k) {
            if (Middle(of.anchor) < steps[k]->y())
                return k + 0.5;
            if (Middle(of.anchor) < steps[k]->y() + steps[k]->height())
                return k + 1;
        }
        return steps.size();
    };
    const double own = band(line);
    if (own < 1 || own == int(own))
        return own < 1 ? 0 : int(own);
    const bool takesTheNext = std::all_of(lines.begin(), lines.end(), [&](const ReadLine &other) {
        return band(other) != own || Middle(other.anchor) < Middle(line.anchor)
            || (other.kind == QLatin1String("prompt") && !other.boxes.isEmpty());
    });
    return int(own) + (takesTheNext ? 1 : 0);
}

// The columns of a step's lines: a gap across the window that none of them crosses starts a new one.
std::pair<int, int> Across(const ReadLine &line)
{
    QRect extent = line.anchor->geometry();
    for (const QLineEdit *box : line.boxes)
        extent |= box->geometry();
    for (const QLabel *result : line.results)
        extent |= result->geometry();
    return {extent.left(), extent.right()};
}

std::vector<int> ColumnStarts(const QList<ReadLine> &lines, int step)
{
    std::vector<std::pair<int, int>> extents;
    for (const ReadLine &line : lines) {
        if (line.step == step)
            extents.push_back(Across(line));
    }
    std::sort(extents.begin(), extents.end());
    std::vector<int> starts;
    int reach = extents.empty() ? 0 : extents.front().second;
    for (const auto &[left, right] : extents) {
        if (left > reach)
            starts.push_back(left);
        reach = std::max(reach, right);
    }
    return starts;
}

bool IsStepButton(const QPushButton *button)
{
    return button->text().startsWith(QStringLiteral("Шаг"));
}

// The step buttons a person sees, top to bottom: «Шаг N», or every button of a window without them.
QList<QPushButton *> StepsAsSeen(const QWidget *window)
{
    QList<QPushButton *> buttons = OwnControls<QPushButton>(window), steps;
    std::copy_if(buttons.begin(), buttons.end(), std::back_inserter(steps), IsStepButton);
    steps = steps.isEmpty() ? buttons : steps;
    std::sort(steps.begin(), steps.end(), [](auto *a, auto *b) { return a->y() < b->y(); });
    return steps;
}

// What in the window's declared reading its layout does not bear out, one sentence a fault.
QStringList Contradictions(const QWidget *window)
{
    QStringList faults;
    const auto fault = [&](const QWidget *control, const QString &what) {
        faults << control->objectName() + QStringLiteral(": ") + what;
    };
    const WindowReading reading = ReadWindow(window);
    const WindowStructure *structure = DeclaredStructureOf(window);
    if (!structure)
        return {QStringLiteral("declares no structure")};
    // Every name it declares is a control of the window.
    qsizetype boxes = 0, results = 0;
    for (const DeclaredLine &line : structure->lines) {
        boxes += line.boxes.size();
        results += line.results.size();
    }
    if (reading.steps.size() != qsizetype(structure->steps.size())
        || reading.lines.size() != qsizetype(structure->lines.size()) || reading.boxes.size() != boxes
        || reading.results.size() != results || reading.pictures.size() != qsizetype(structure->pictures.size()))
        faults << QStringLiteral("names a control the window does not have");
    if (reading.steps != StepsAsSeen(window))
        faults << QStringLiteral("its steps are not its step buttons in order");

    // Every control is read once, where its kind puts it.
    std::map<const QWidget *, int> read;
    QList<QWidget *> captions;
    for (const ReadLine &line : reading.lines) {
        ++read[line.anchor];
        for (QLineEdit *box : line.boxes)
            ++read[box];
        for (QLabel *result : line.results)
            read[result] += result == line.anchor ? 0 : 1;
    }
    for (const PictureReading &picture : reading.pictures)
        ++read[picture.label];
    const QList<QLabel *> labels = OwnControls<QLabel>(window);
    std::copy_if(labels.begin(), labels.end(), std::back_inserter(captions),
                 [](const QLabel *label) { return KindOf(label) == QLatin1String("prompt"); });
    for (QLabel *label : labels) {
        const bool overAPrompt = KindOf(label) == QLatin1String("symbol")
            && std::any_of(captions.begin(), captions.end(),
                           [&](const QWidget *prompt) { return prompt->geometry().intersects(label->geometry()); });
        if (!overAPrompt
            && (!label->text().isEmpty() || IsResultLabel(label) || KindOf(label) == QLatin1String("picture"))
            && read[label] != 1)
            fault(label, QStringLiteral("is not read once"));
    }
    for (QLineEdit *box : OwnControls<QLineEdit>(window)) {
        if (read[box] != 1)
            fault(box, QStringLiteral("is not read once"));
    }
    for (QPushButton *button : OwnControls<QPushButton>(window)) {
        if (!IsStepButton(button))
            captions << button;
    }

    std::map<const QWidget *, std::pair<QString, QString>> boxWords;
    for (const BoxReading &box : reading.boxes)
        boxWords[box.box] = {box.words, box.unit};
    std::map<const QWidget *, QString> captionOf;
    for (const ResultReading &result : reading.results)
        captionOf[result.label] = result.caption;
    for (qsizetype i = 0; i < reading.lines.size(); ++i) {
        const ReadLine &line = reading.lines[i];
        QWidget *anchor = line.anchor;
        // Its text, cut where its boxes stand: in the prompt's runs of blanks, then beside its end.
        QStringList pieces{QString()};
        std::map<const QWidget *, std::pair<QString, QString>> words;
        if (const auto *button = qobject_cast<QPushButton *>(anchor)) {
            pieces = {button->text().simplified()};
        } else if (KindOf(anchor) == QLatin1String("prompt")) {
            const PromptAsSeen seen = SeePrompt(static_cast<QLabel *>(anchor));
            pieces = seen.pieces;
            words = seen.words;
            for (QLineEdit *box : line.boxes.mid(seen.boxes.size())) {
                pieces << QString();
                words[box] = {seen.lastWords, QString()};
                if (CaptionBefore(box, captions) != anchor)
                    fault(box, QStringLiteral("stands neither in a gap of its prompt nor beside its end"));
            }
            if (line.boxes.mid(0, seen.boxes.size()) != seen.boxes)
                fault(anchor, QStringLiteral("has other boxes in its gaps"));
        } else if (const auto *label = qobject_cast<QLabel *>(anchor); label && !IsResultLabel(label)) {
            pieces = {(KindOf(label) == QLatin1String("symbol") ? SymbolLettersToGreek(label->text()) : label->text())
                          .simplified()};
        } else if (qobject_cast<QLineEdit *>(anchor)) {
            pieces << QString();
            if (CaptionBefore(anchor, captions))
                fault(anchor, QStringLiteral("has a prompt before it"));
        }
        const char *kind = qobject_cast<QPushButton *>(anchor) ? "button"
            : qobject_cast<QLineEdit *>(anchor)                ? "box"
                                                               : "";
        if (line.kind != (*kind ? QString::fromLatin1(kind) : KindOf(anchor)))
            fault(anchor, QStringLiteral("is read as another kind"));
        if (line.pieces != pieces)
            fault(anchor,
                  QStringLiteral("reads «%1», the window shows «%2»").arg(line.pieces.join('|'), pieces.join('|')));
        for (const QLineEdit *box : line.boxes) {
            if (words.count(box) && boxWords[box] != words[box])
                fault(box, QStringLiteral("has other words or unit around it"));
        }
        // Its results after their caption on its row, left to right; a lone result with none before it.
        const QWidget *previous = nullptr;
        for (const QLabel *result : line.results) {
            const QWidget *caption = CaptionBefore(result, captions);
            const bool lone = result == anchor;
            if ((!lone && caption != anchor) || (lone && caption && line.kind != QLatin1String("verdict")))
                fault(result, QStringLiteral("is not right of its caption on its row"));
            if (captionOf[result] != CaptionWords(caption))
                fault(result, QStringLiteral("has another caption"));
            if (previous && previous->x() >= result->x())
                fault(result, QStringLiteral("is not read left to right"));
            previous = result;
        }
        if (line.step != StepByPlace(line, reading.steps, reading.lines))
            fault(anchor, QStringLiteral("is not in the band of its step"));

        // Steps in order; a step's columns in turn, each row by row, a row left to right.
        if (i == 0)
            continue;
        const ReadLine &before = reading.lines[i - 1];
        if (line.step != before.step) {
            if (line.step < before.step || line.onTheRowBefore)
                fault(anchor, QStringLiteral("is read out of its step's order"));
            continue;
        }
        const std::vector<int> starts = ColumnStarts(reading.lines, line.step);
        const auto column = [&](const ReadLine &of) {
            return std::upper_bound(starts.begin(), starts.end(), Across(of).first) - starts.begin();
        };
        qsizetype rowStart = i - 1;
        while (reading.lines[rowStart].onTheRowBefore)
            --rowStart;
        const int fromRow = Middle(anchor) - Middle(reading.lines[rowStart].anchor);
        const bool inOrder = column(line) > column(before) ? !line.onTheRowBefore
                                                           : column(line) == column(before)
                && (line.onTheRowBefore ? fromRow < kRowSlack && anchor->x() > before.anchor->x()
                                        : fromRow >= kRowSlack);
        if (!inOrder)
            fault(anchor, QStringLiteral("is read out of its column's order"));
    }
    return faults;
}

// A control the window makes without a name (a helper of some widget) is never what a declaration leaves empty.
TEST(WindowStructure, AnUnnamedControlIsNoResult)
{
    const std::unique_ptr<QWidget> window = Form2Cases().create();
    new QLabel(window.get());
    for (const BoxReading &box : ReadWindow(window.get()).boxes)
        EXPECT_TRUE(!box.result || !box.result->objectName().isEmpty()) << box.box->objectName().toStdString();
}

// Every window's declaration holds for its layout.
TEST(WindowStructure, IsWhatTheLayoutShows)
{
    std::vector<std::pair<const char *, std::unique_ptr<QWidget>>> windows;
    windows.emplace_back("Form1", std::make_unique<TForm1>());
    for (CasesOf cases : {Form2Cases, Form3Cases, Form4Cases, Form5Cases, Form6Cases, Form7Cases})
        windows.emplace_back(cases().name, cases().create());
    for (const auto &[name, window] : windows)
        EXPECT_EQ(Contradictions(window.get()).join('\n'), QString()) << name;
}

} // namespace
