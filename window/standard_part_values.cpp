#include "window/standard_part_values.h"

#include "numtext/number_text.h"
#include "standard_values/standard_values.h"
#include "standard_values/units.h"
#include "window/window_reading.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <map>

namespace {

const char *const kValuesProperty = "keptValues";
const char *const kUnitProperty = "keptUnit";
const char *const kSideProperty = "allowedSide";

std::vector<double> ValuesOf(const QLabel *label)
{
    const QList<double> values = KeptValues(label);
    return {values.begin(), values.end()};
}

// The side of its bound that a result's caption allows. Captions are designed and never change, so
// the window is read for them once.
AllowedSide SideOf(const QLabel *label)
{
    const QVariant side = label->property(kSideProperty);
    if (side.isValid())
        return AllowedSide(side.toInt());
    const_cast<QLabel *>(label)->setProperty(kSideProperty, int(AllowedSide::Either));
    for (const ResultReading &result : ReadWindow(label->window()).results)
        result.label->setProperty(kSideProperty, int(AllowedSideInCaption(result.caption)));
    return AllowedSide(label->property(kSideProperty).toInt());
}

void RefreshStandardValues(QLabel *label)
{
    const QString unit = KeptUnit(label);
    const QString text =
        IsStandardPartUnit(unit) ? StandardValuesText(ValuesOf(label), unit, SideOf(label)) : QString();
    label->setToolTip(text);
    label->setAccessibleDescription(text);
}

// The box's own context menu, with the standard value of its result after the standard items.
class StandardValueItem : public QObject
{
public:
    StandardValueItem(QLineEdit *box, QLabel *result) : QObject(box), box_(box), result_(result)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ContextMenu)
            return false;
        QMenu *menu = box_->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const std::optional<long double> value =
            StandardValueToAccept(ValuesOf(result_), KeptUnit(result_), SideOf(result_));
        if (value) {
            const QString text = NumberToText(*value);
            menu->addSeparator();
            connect(menu->addAction(QStringLiteral("Подставить E24: ") + text), &QAction::triggered, box_,
                    [box = box_, text] {
                        // As typed: one undo step, and textEdited as from the keyboard.
                        box->selectAll();
                        box->insert(text);
                    });
        }
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }

private:
    QLineEdit *box_;
    QLabel *result_; // of the same window, gone with it
};

} // namespace

void KeepResult(QLabel *label, const QList<double> &values, const QString &unit)
{
    QVariantList kept;
    for (double value : values)
        kept << value;
    label->setProperty(kValuesProperty, kept);
    label->setProperty(kUnitProperty, unit);
    RefreshStandardValues(label);
}

QList<double> KeptValues(const QLabel *label)
{
    QList<double> values;
    for (const QVariant &value : label->property(kValuesProperty).toList())
        values << value.toDouble();
    return values;
}

QString KeptUnit(const QLabel *label)
{
    return label->property(kUnitProperty).toString();
}

QString MarkedStandardValue(const QLabel *label)
{
    return MarkedStandardValueText(ValuesOf(label), KeptUnit(label), SideOf(label));
}

void OfferStandardValues(QWidget *window)
{
    // A box that names a resistor or capacitor, and the result it takes names the same one.
    const WindowReading reading = ReadWindow(window);
    std::map<const QLabel *, QString> captions;
    for (const ResultReading &result : reading.results)
        captions[result.label] = result.caption;
    for (const BoxReading &box : reading.boxes) {
        const QString designator = DesignatorIn(box.words);
        if (box.result && !designator.isEmpty() && DesignatorIn(captions[box.result]) == designator)
            new StandardValueItem(box.box, box.result);
    }
}
