#include "window/accessible_names.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
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
    const QFontMetricsF metrics(prompt->font());

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
            current += QLatin1Char(' ') + static_cast<const QLabel *>(*standing)->text() + QLatin1Char(' ');
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

QString WordsAndUnit(const QString &before, const QString &after)
{
    const QString words = Words(before), unit = Unit(after);
    if (unit.isEmpty())
        return words;
    return words + (unit.startsWith(QLatin1Char('(')) ? QStringLiteral(" ") : QStringLiteral(", ")) + unit;
}

// The prompt that ends nearest to the control's left on its row.
const QLabel *PromptBefore(const QWidget *control, const QList<QLabel *> &prompts)
{
    const QLabel *nearest = nullptr;
    for (const QLabel *prompt : prompts) {
        constexpr int kSlack = 8; // a caption's last blank may reach under its neighbour
        if (OnTheSameRow(prompt, control) && prompt->x() + prompt->width() <= control->x() + kSlack
            && (!nearest || prompt->x() > nearest->x()))
            nearest = prompt;
    }
    return nearest;
}

} // namespace

void NameForScreenReaders(QWidget *window)
{
    QList<QLabel *> prompts, results, symbols;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QString kind = KindOf(label);
        if (kind == QLatin1String("prompt"))
            prompts << label;
        else if (kind == QLatin1String("result") || kind == QLatin1String("verdict"))
            results << label;
        else if (kind == QLatin1String("symbol"))
            symbols << label;
        else if (kind == QLatin1String("picture") && label->accessibleName().isEmpty())
            label->setAccessibleName(label->objectName() == QLatin1String("Image1")
                                         ? QStringLiteral("Обложка источника")
                                         : QStringLiteral("Схема триггера"));
    }
    const QList<QLineEdit *> edits = window->findChildren<QLineEdit *>();

    for (const QLabel *prompt : prompts) {
        QList<QWidget *> overlapping;
        for (QLineEdit *edit : edits) {
            if (edit->geometry().intersects(prompt->geometry()))
                overlapping << edit;
        }
        for (QLabel *symbol : symbols) {
            if (symbol->geometry().intersects(prompt->geometry()))
                overlapping << symbol;
        }
        const PromptPieces pieces = CutPrompt(prompt, overlapping);
        for (size_t run = 0; run < pieces.boxes.size(); ++run) {
            if (QWidget *edit = pieces.boxes[run])
                edit->setAccessibleName(WordsAndUnit(pieces.texts[run], pieces.texts[run + 1]));
        }
    }
    for (QLineEdit *edit : edits) {
        if (!edit->accessibleName().isEmpty())
            continue;
        // A box beside its prompt's end, as in "... (минимальное значение) = [  ]".
        if (const QLabel *prompt = PromptBefore(edit, prompts))
            edit->setAccessibleName(Words(CutPrompt(prompt, {}).texts.back()));
    }
    for (QLabel *result : results) {
        if (const QLabel *caption = PromptBefore(result, prompts))
            result->setAccessibleName(Words(CutPrompt(caption, {}).texts.back()));
    }
}
