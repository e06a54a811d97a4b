#include "window/window_reading.h"

#include "window/control_kinds.h"
#include "window/designed_window.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <map>
#include <vector>

namespace {

QString KindOf(const QWidget *control)
{
    return control->property("kind").toString();
}

bool OnTheSameRow(const QWidget *a, const QWidget *b)
{
    return a->y() < b->y() + b->height() && b->y() < a->y() + a->height();
}

QString LabelText(const QLabel *label)
{
    // A symbol label shows its Latin letters as Greek ones from its first show on.
    return KindOf(label) == QLatin1String("symbol") ? SymbolLettersToGreek(label->text()) : label->text();
}

// A prompt cut at its runs of two or more blanks: the texts between them, and for each run the edit
// box standing over it, if any. A run under a symbol letter is no cut: the letter takes its place.
struct PromptPieces
{
    QStringList texts;            // one more than the runs
    std::vector<QWidget *> boxes; // one a run
};

PromptPieces CutPrompt(const QLabel *prompt, const QList<QWidget *> &overlapping)
{
    const QString text = prompt->text();
    const QFontMetricsF metrics(FontOfKind(prompt));

    PromptPieces pieces;
    QString current;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        while (end < text.size() && text[end] == QLatin1Char(' '))
            ++end;
        if (end - i < 2) {
            current += text[i];
            i = std::max(end, i + 1);
            continue;
        }
        auto standing = overlapping.end();
        if (!overlapping.isEmpty()) {
            // The run's extent along the prompt, measured once for all the controls that may stand over it.
            const qreal from = metrics.horizontalAdvance(text.left(i));
            const qreal to = metrics.horizontalAdvance(text.left(end));
            standing = std::find_if(overlapping.begin(), overlapping.end(), [&](const QWidget *control) {
                const qreal middle = control->x() + control->width() / 2.0 - prompt->x();
                return from <= middle && middle <= to;
            });
        }
        if (standing != overlapping.end() && KindOf(*standing) == QLatin1String("symbol")) {
            current += QLatin1Char(' ') + LabelText(static_cast<const QLabel *>(*standing)) + QLatin1Char(' ');
        } else {
            pieces.texts << current;
            pieces.boxes.push_back(standing != overlapping.end() ? *standing : nullptr);
            current.clear();
        }
        i = end;
    }
    pieces.texts << current;
    return pieces;
}

// "tокр = +" as said aloud: the words without the equals sign and the sign after it.
QString Words(const QString &piece)
{
    QString words = piece.simplified();
    while (!words.isEmpty() && QStringLiteral("=+:").contains(words.back()))
        words = words.chopped(1).trimmed();
    return words;
}

QString Unit(const QString &piece)
{
    QString unit = piece.simplified();
    while (!unit.isEmpty() && QStringLiteral(";,").contains(unit.back()))
        unit.chop(1);
    return unit;
}

// The caption (a prompt, or a button that names a result) that ends nearest to the control's left on its row.
const QWidget *CaptionBefore(const QWidget *control, const QList<QWidget *> &captions)
{
    const QWidget *nearest = nullptr;
    for (const QWidget *caption : captions) {
        constexpr int kSlack = 8; // a caption's last blank may reach under its neighbour
        if (OnTheSameRow(caption, control) && caption->x() + caption->width() <= control->x() + kSlack
            && (!nearest || caption->x() > nearest->x()))
            nearest = caption;
    }
    return nearest;
}

// The words of a caption's last piece: what a box beside its end, or a result after it, is called.
QString CaptionWords(const QWidget *caption)
{
    if (const auto *button = qobject_cast<const QPushButton *>(caption))
        return Words(button->text());
    return Words(CutPrompt(static_cast<const QLabel *>(caption), {}).texts.back());
}

// «Шаг 3» or «Шаг3» is step 3; any other button is no step (0). Read by hand: the main menu is read before
// its first paint, and a regular expression would cost the start-up its compiler.
int StepNumber(const QPushButton *button)
{
    const QString text = button->text();
    const QString step = QStringLiteral("Шаг");
    QStringView number = QStringView(text);
    if (!number.startsWith(step))
        return 0;
    number = number.mid(step.size());
    if (number.startsWith(u' '))
        number = number.mid(1);
    const bool digits =
        !number.isEmpty() && std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digits ? number.toInt() : 0;
}

ReadLine LineOf(const QString &kind, QWidget *anchor, const QStringList &pieces)
{
    ReadLine line;
    line.kind = kind;
    line.anchor = anchor;
    line.pieces = pieces;
    return line;
}

// Lines whose anchors' middles lie this close read as one row, left to right.
constexpr int kRowSlack = 8;

int Middle(const QWidget *control)
{
    return control->y() + control->height() / 2;
}

void SortInReadingOrder(QList<ReadLine> &lines)
{
    std::stable_sort(lines.begin(), lines.end(),
                     [](const ReadLine &a, const ReadLine &b) { return Middle(a.anchor) < Middle(b.anchor); });
    for (qsizetype rowStart = 0; rowStart < lines.size();) {
        qsizetype rowEnd = rowStart + 1;
        while (rowEnd < lines.size() && Middle(lines[rowEnd].anchor) < Middle(lines[rowStart].anchor) + kRowSlack)
            ++rowEnd;
        std::stable_sort(lines.begin() + rowStart, lines.begin() + rowEnd,
                         [](const ReadLine &a, const ReadLine &b) { return a.anchor->x() < b.anchor->x(); });
        rowStart = rowEnd;
    }
}

void AssignSteps(QList<ReadLine> &lines, const QList<QPushButton *> &steps)
{
    if (steps.isEmpty())
        return;
    const auto bandOf = [&](const ReadLine &line) -> double {
        // The step whose band holds the line's middle; between bands k and k + 1, k + 0.5.
        const int middle = Middle(line.anchor);
        for (qsizetype k = 0; k < steps.size(); ++k) {
            const QPushButton *button = steps[k];
            if (middle < button->y())
                return k + 0.5;
            if (middle < button->y() + button->height())
                return k + 1;
        }
        return steps.size();
    };
    for (qsizetype i = 0; i < lines.size();) {
        const double band = bandOf(lines[i]);
        qsizetype end = i + 1;
        while (end < lines.size() && bandOf(lines[end]) == band)
            ++end;
        if (band == int(band) || band < 1) {
            for (qsizetype j = i; j < end; ++j)
                lines[j].step = band < 1 ? 0 : int(band);
        } else {
            // The prompts with boxes right over the next band are that step's values.
            qsizetype next = end;
            while (next > i && !lines[next - 1].boxes.isEmpty() && lines[next - 1].kind == QLatin1String("prompt"))
                --next;
            for (qsizetype j = i; j < end; ++j)
                lines[j].step = j < next ? int(band) : int(band) + 1;
        }
        i = end;
    }
}

// How far a line reaches along its row: its anchor with its boxes and results.
std::pair<int, int> Across(const ReadLine &line)
{
    QRect extent = line.anchor->geometry();
    for (const QLineEdit *box : line.boxes)
        extent |= box->geometry();
    for (const QLabel *result : line.results)
        extent |= result->geometry();
    return {extent.left(), extent.right()};
}

// The lines of a step that stand in columns, with a gap between them that no line crosses, read column
// by column, as a person reads them: the left column down to its end, then the next.
void ReadColumnsInTurn(QList<ReadLine> &lines)
{
    for (qsizetype start = 0; start < lines.size();) {
        qsizetype end = start + 1;
        while (end < lines.size() && lines[end].step == lines[start].step)
            ++end;
        std::vector<std::pair<int, int>> extents;
        for (qsizetype i = start; i < end; ++i)
            extents.push_back(Across(lines[i]));
        std::sort(extents.begin(), extents.end());
        std::vector<int> columnStarts; // the left edge of each column after the first
        int reach = extents.front().second;
        for (const auto &[left, right] : extents) {
            if (left > reach)
                columnStarts.push_back(left);
            reach = std::max(reach, right);
        }
        const auto columnOf = [&](const ReadLine &line) {
            return std::upper_bound(columnStarts.begin(), columnStarts.end(), Across(line).first)
                - columnStarts.begin();
        };
        std::stable_sort(lines.begin() + start, lines.begin() + end,
                         [&](const ReadLine &a, const ReadLine &b) { return columnOf(a) < columnOf(b); });
        start = end;
    }
}

} // namespace

bool IsAcceptLine(const ReadLine &line)
{
    if (line.kind != QLatin1String("prompt"))
        return false;
    const QString text = static_cast<const QLabel *>(line.anchor)->text().trimmed();
    return text.startsWith(QStringLiteral("Примем ")) || text.startsWith(QStringLiteral("Принимаем "));
}

int WindowReading::StepOf(const QWidget *control) const
{
    for (const ReadLine &line : lines) {
        if (line.anchor == control || line.boxes.contains(control) || line.results.contains(control))
            return line.step;
    }
    return 0;
}

WindowReading ReadWindow(const QWidget *window)
{
    WindowReading reading;
    QList<QLabel *> prompts, results, symbols;
    QList<ReadLine> lines;
    bool citesSource = false;
    for (QLabel *label : OwnControls<QLabel>(window)) {
        const QString kind = KindOf(label);
        if (kind == QLatin1String("prompt"))
            prompts << label;
        else if (IsResultLabel(label))
            results << label;
        else if (kind == QLatin1String("symbol"))
            symbols << label;
        else if (kind == QLatin1String("picture"))
            reading.pictures << PictureReading{label, QString(), false};
        else if (!label->text().isEmpty())
            lines << LineOf(kind, label, {label->text()});
        citesSource = citesSource || kind == QLatin1String("citation");
    }
    for (PictureReading &picture : reading.pictures) {
        // The source's cover is the first picture of a window that cites its source.
        picture.cover = citesSource && picture.label->objectName() == QLatin1String("Image1");
        picture.caption = picture.cover ? QStringLiteral("Обложка источника") : QStringLiteral("Схема триггера");
    }
    std::sort(reading.pictures.begin(), reading.pictures.end(),
              [](const PictureReading &a, const PictureReading &b) { return a.label->y() < b.label->y(); });

    QList<QWidget *> captions(prompts.begin(), prompts.end());
    for (QPushButton *button : OwnControls<QPushButton>(window)) {
        if (StepNumber(button))
            reading.steps << button;
        else
            captions << button;
    }
    if (reading.steps.isEmpty()) {
        reading.steps = OwnControls<QPushButton>(window);
        std::sort(reading.steps.begin(), reading.steps.end(),
                  [](const QPushButton *a, const QPushButton *b) { return a->y() < b->y(); });
    } else {
        std::sort(reading.steps.begin(), reading.steps.end(),
                  [](const QPushButton *a, const QPushButton *b) { return StepNumber(a) < StepNumber(b); });
    }

    // Each prompt with the boxes in its runs of blanks.
    const QList<QLineEdit *> edits = OwnControls<QLineEdit>(window);
    std::map<const QWidget *, qsizetype> lineOf;
    std::map<const QLineEdit *, BoxReading> boxes;
    QList<const QLabel *> symbolsRead;
    for (QLabel *prompt : prompts) {
        QList<QWidget *> overlapping;
        for (QLineEdit *edit : edits) {
            if (edit->geometry().intersects(prompt->geometry()))
                overlapping << edit;
        }
        for (QLabel *symbol : symbols) {
            if (symbol->geometry().intersects(prompt->geometry())) {
                overlapping << symbol;
                symbolsRead << symbol;
            }
        }
        const PromptPieces pieces = CutPrompt(prompt, overlapping);
        ReadLine line = LineOf(QStringLiteral("prompt"), prompt, {pieces.texts.front()});
        for (size_t run = 0; run < pieces.boxes.size(); ++run) {
            auto *box = static_cast<QLineEdit *>(pieces.boxes[run]);
            if (!box) {
                line.pieces.back() += QLatin1Char(' ') + pieces.texts[run + 1];
                continue;
            }
            line.boxes << box;
            line.pieces << pieces.texts[run + 1];
            boxes[box] = {box, Words(pieces.texts[run]), Unit(pieces.texts[run + 1])};
        }
        lineOf[prompt] = lines.size();
        lines << line;
    }
    for (QLabel *symbol : symbols) {
        if (!symbolsRead.contains(symbol))
            lines << LineOf(QStringLiteral("symbol"), symbol, {LabelText(symbol)});
    }

    // Boxes beside a prompt's end, left to right; a box with no prompt is a line of its own.
    QList<QLineEdit *> besides;
    for (QLineEdit *edit : edits) {
        if (!boxes.count(edit))
            besides << edit;
    }
    std::sort(besides.begin(), besides.end(), [](const QLineEdit *a, const QLineEdit *b) { return a->x() < b->x(); });
    const QList<QWidget *> promptsOnly(prompts.begin(), prompts.end());
    for (QLineEdit *edit : besides) {
        const QWidget *prompt = CaptionBefore(edit, promptsOnly);
        boxes[edit] = {edit, prompt ? CaptionWords(prompt) : QString(), QString()};
        if (!prompt) {
            lines << LineOf(QStringLiteral("box"), edit, {QString(), QString()});
            lines.back().boxes << edit;
            continue;
        }
        ReadLine &line = lines[lineOf[prompt]];
        line.boxes << edit;
        line.pieces << QString();
    }

    // Results after their captions, left to right; verdicts are lines of their own.
    std::sort(results.begin(), results.end(), [](const QLabel *a, const QLabel *b) { return a->x() < b->x(); });
    std::map<const QLabel *, QString> captionOf;
    for (QLabel *result : results) {
        const QWidget *caption = CaptionBefore(result, captions);
        captionOf[result] = caption ? CaptionWords(caption) : QString();
        if (!caption || KindOf(result) == QLatin1String("verdict")) {
            lines << LineOf(KindOf(result), result, {QString()});
            lines.back().results << result;
            continue;
        }
        if (!lineOf.count(caption)) {
            lineOf[caption] = lines.size();
            lines << LineOf(QStringLiteral("button"), const_cast<QWidget *>(caption),
                            {static_cast<const QPushButton *>(caption)->text()});
        }
        lines[lineOf[caption]].results << result;
    }

    SortInReadingOrder(lines);
    AssignSteps(lines, reading.steps);
    ReadColumnsInTurn(lines);
    for (const ReadLine &line : lines) {
        for (QLineEdit *box : line.boxes)
            reading.boxes << boxes[box];
        for (QLabel *result : line.results)
            reading.results << ResultReading{result, captionOf[result]};
    }
    reading.lines = lines;
    return reading;
}
