#include "window_look/control_kinds.h"

#include "window_look/fonts.h"
#include "window_look/picture_box.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// Labels size themselves to their text along the line and keep their designed height.
void FitWidthToText(QLabel *label)
{
    label->resize(label->sizeHint().width(), label->height());
}

// How a label with the program's own text keeps to the width that text had in the designed font.
enum class DesignedWidth {
    Free,    // text of this program's own choosing
    Box,     // one letter standing in a gap of a prompt keeps its box: where the installed font draws the
             // letter wider, it is narrowed to fit
    NoWider, // where the installed font runs wider, the letters close up a little rather than run into
             // the next label
    Exact,   // a prompt leaves the room for its edit boxes in runs of blanks: where the installed font
             // runs narrower, every letter takes an even share of the difference, so that each run
             // keeps its designed place under its box and the unit after it stays in sight
};

// The label's font with its letters spaced or narrowed to keep the text's designed width.
QFont KeepDesignedWidth(QFont font, const QString &text, int width, DesignedWidth rule)
{
    constexpr qreal kMostTightening = 0.5;
    if (rule == DesignedWidth::Free || text.isEmpty())
        return font;
    if (rule == DesignedWidth::Box) {
        const int inkRight = QFontMetrics(font).tightBoundingRect(text).right() + 1;
        if (inkRight > width)
            font.setStretch(100 * width / inkRight);
        return font;
    }
    const qreal difference = width - QFontMetricsF(font).horizontalAdvance(text);
    // Letter spacing is kept in 64ths of a pixel; rounded down, the letters never outrun the label.
    const qreal share = std::floor(difference / qreal(text.size()) * 64) / 64;
    if (difference < 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, std::max(share, -kMostTightening));
    else if (rule == DesignedWidth::Exact)
        font.setLetterSpacing(QFont::AbsoluteSpacing, share);
    return font;
}

struct KindLook
{
    const char *kind;
    const char *family;
    FontStyle style = {};
    DesignedWidth width = DesignedWidth::Free;
};

constexpr int kControlPixelSize = 15;

// Edit boxes and buttons.
constexpr KindLook kInputLook{"input", "Tahoma"};

constexpr KindLook kLabelLooks[] = {
    {"heading", "MS Reference Sans Serif", {.bold = true}, DesignedWidth::NoWider},
    {"prompt", "Tahoma", {}, DesignedWidth::Exact},
    {"note", "Tahoma", {}, DesignedWidth::NoWider},
    {"citation", "Tahoma", {}, DesignedWidth::NoWider},
    {"result", "Tahoma", {.bold = true}},
    {"verdict", "Tahoma", {.italic = true}},
    {"symbol", "Symbol", {.bold = true}, DesignedWidth::Box},
    {"caption", "Tahoma", {.bold = true}, DesignedWidth::NoWider},
    {"credits", "MS Reference Sans Serif"},
    {"link", "MS Reference Sans Serif", {.underline = true}},
    {"spare", "Tahoma"},
};

const KindLook *LookOf(const QString &kind)
{
    for (const KindLook &look : kLabelLooks) {
        if (kind == QLatin1String(look.kind))
            return &look;
    }
    return nullptr;
}

QFont FontOf(const KindLook &look, const QWidget *control)
{
    const QVariant size = control->property("pixelSize");
    return DesignedFont(look.family, size.isValid() ? size.toInt() : kControlPixelSize, look.style);
}

void ApplyLabelKind(QLabel *label, const QString &windowName)
{
    // Labels draw their text from the top-left corner, as typed: never as markup.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);

    const QString kind = label->property("kind").toString();
    if (kind == QLatin1String("picture")) {
        ShowPictureWhenShown(label, windowName + QLatin1Char('_') + label->objectName());
        return;
    }
    const KindLook *look = LookOf(kind);
    if (!look)
        return;
    if (kind == QLatin1String("spare") && !label->property("pixelSize").isValid()) {
        label->setFont(label->window()->font()); // a spare label has the window's font unless it names its size
        return;
    }
    if (kind == QLatin1String("symbol"))
        label->setText(SymbolLettersToGreek(label->text()));
    label->setFont(KeepDesignedWidth(FontOf(*look, label), label->text(), label->width(), look->width));
    // Whatever still runs wider than its label makes the label grow rather than clip the text. (The
    // width the label would ask for, found without laying the text out as its size hint does.)
    if (look->width != DesignedWidth::Box && !label->text().isEmpty()
        && qCeil(QFontMetricsF(label->font()).horizontalAdvance(label->text())) > label->width())
        FitWidthToText(label);
    // Results can be selected and copied with the mouse; they stay out of the tab chain.
    if (IsResultLabel(label))
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (kind == QLatin1String("link")) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::blue);
        label->setPalette(palette);
    }
}

// How far a label's ink rises above its top edge. An installed face whose ascent is smaller than the
// designed one draws the marks over Ё and Й above the line; they would be cut off at the label's top.
int InkAboveTop(const QLabel *label)
{
    if (label->text().isEmpty())
        return 0;
    const QFontMetrics metrics(label->font());
    return std::max(0, -(metrics.ascent() + metrics.tightBoundingRect(label->text()).top()));
}

// Moves such a label's text down inside the label, as far as its descenders leave room, and the texts of
// the labels on its row with it, so that the row keeps one baseline.
void KeepInkInside(const QList<QLabel *> &labels)
{
    for (const QLabel *label : labels) {
        const int above = InkAboveTop(label);
        if (above == 0)
            continue;
        for (QLabel *neighbour : labels) {
            if (neighbour->parent() != label->parent() || neighbour->y() != label->y())
                continue;
            const int room = neighbour->height() - QFontMetrics(neighbour->font()).height();
            const int shift = std::clamp(above, neighbour->contentsMargins().top(), std::max(room, 0));
            neighbour->setContentsMargins(0, shift, 0, 0);
        }
    }
}

// Enter on a focused button presses it, as Space does, without making any button the default one:
// Enter in an edit box still runs nothing.
class EnterPressesButton : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (!key->isAutoRepeat())
            static_cast<QPushButton *>(watched)->click();
        return true;
    }
};

// Set on a window once its controls have their kinds' looks.
constexpr char kLooksApplied[] = "controlKindsApplied";

} // namespace

void ApplyControlKinds(QWidget *window)
{
    window->setProperty(kLooksApplied, true);
    const QList<QLabel *> labels = window->findChildren<QLabel *>();
    for (QLabel *label : labels)
        ApplyLabelKind(label, window->objectName());
    KeepInkInside(labels);
    for (QLineEdit *edit : window->findChildren<QLineEdit *>()) {
        QFont font = FontOf(kInputLook, edit);
        // Whatever the user types is drawn, from other faces where Tahoma lacks a letter.
        font.setStyleStrategy(QFont::PreferDefault);
        edit->setFont(font);
    }
    auto *enterPresses = new EnterPressesButton(window);
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        button->setFont(FontOf(kInputLook, button));
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(enterPresses);
    }
}

QFont FontOfKind(const QLabel *label)
{
    if (label->window()->property(kLooksApplied).toBool())
        return label->font();
    const QString kind = label->property("kind").toString();
    const KindLook *look = LookOf(kind);
    if (!look || (kind == QLatin1String("spare") && !label->property("pixelSize").isValid()))
        return label->window()->font();
    const QString text = kind == QLatin1String("symbol") ? SymbolLettersToGreek(label->text()) : label->text();
    return KeepDesignedWidth(FontOf(*look, label), text, label->width(), look->width);
}

bool IsResultLabel(const QWidget *label)
{
    const QString kind = label->property("kind").toString();
    return kind == QLatin1String("result") || kind == QLatin1String("verdict");
}

QFont ControlFont()
{
    return DesignedFont(kInputLook.family, kControlPixelSize, kInputLook.style);
}

namespace {

// The width the label was designed with, kept before its first text so that emptying it gives that width back:
// a memo of its look, not of what it shows.
const char kDesignedWidth[] = "designedWidth";

} // namespace

void ShowResultText(QLabel *label, const QString &text)
{
    if (!label->property(kDesignedWidth).isValid())
        label->setProperty(kDesignedWidth, label->width());
    label->setText(text);
    // Sizing a label lays its text out: a window nobody sees (a batch's, one hidden) has its labels sized
    // when it is shown.
    if (label->window()->isVisible())
        FitWidthToText(label);
}

void ClearResultText(QLabel *label)
{
    label->clear();
    const QVariant designed = label->property(kDesignedWidth);
    if (designed.isValid())
        label->resize(designed.toInt(), label->height());
}

void FitWrittenLabelsToTexts(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->property(kDesignedWidth).isValid())
            FitWidthToText(label);
    }
}

QString SymbolLettersToGreek(const QString &text)
{
    // Symbol font: A..Z and a..z in their code order.
    static const char16_t kUpper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
    static const char16_t kLower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
    QString greek = text;
    for (QChar &c : greek) {
        const char16_t code = c.unicode();
        if (code >= 'A' && code <= 'Z')
            c = QChar(kUpper[code - 'A']);
        else if (code >= 'a' && code <= 'z')
            c = QChar(kLower[code - 'a']);
    }
    return greek;
}
