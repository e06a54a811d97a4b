#include "window_structure/standard_part_values.h"

#include "number_text/number_text.h"
#include "standard_values/standard_values.h"
#include "standard_values/units.h"
#include "window/calculation_model.h"
#include "window_structure/window_reading.h"
#include "window_structure/window_structure.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <map>

namespace {

// The side of its bound that a result's caption allows, as its window declares the caption.
AllowedSide SideOf(const QLabel *label)
{
    const WindowStructure *structure = DeclaredStructureOf(label->window());
    if (!structure)
        return AllowedSide::Either;
    const QByteArray name = label->objectName().toUtf8();
    for (const DeclaredLine &line : structure->lines) {
        for (const DeclaredResult &result : line.results) {
            if (name == result.name)
                return AllowedSideInCaption(QString::fromUtf8(result.caption));
        }
    }
    return AllowedSide::Either;
}

// The box's own context menu, with the standard value of its result after the standard items.
class StandardValueItem : public QObject
{
public:
    StandardValueItem(QLineEdit *box, QLabel *result, const CalculationModel *model)
        : QObject(box), box_(box), result_(result), model_(model)
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
        const ResultValue result = model_->Result(result_->objectName());
        const std::optional<long double> value = StandardValueToAccept(result.values, result.unit, SideOf(result_));
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
    QLabel *result_;                // of the same window, gone with it
    const CalculationModel *model_; // the window's
};

} // namespace

void ShowStandardValues(QLabel *label, const ResultValue &result)
{
    const QString text =
        IsStandardPartUnit(result.unit) ? StandardValuesText(result.values, result.unit, SideOf(label)) : QString();
    label->setToolTip(text);
    label->setAccessibleDescription(text);
}

QString MarkedStandardValue(const QLabel *label, const ResultValue &result)
{
    // Only a resistance or capacitance has one; its caption is read for its side only then.
    if (!IsStandardPartUnit(result.unit))
        return {};
    return MarkedStandardValueText(result.values, result.unit, SideOf(label));
}

void OfferStandardValues(QWidget *window, const CalculationModel *model)
{
    // A box that names a resistor or capacitor, and the result it takes names the same one.
    const WindowReading reading = ReadWindow(window);
    std::map<const QLabel *, QString> captions;
    for (const ResultReading &result : reading.results)
        captions[result.label] = result.caption;
    for (const BoxReading &box : reading.boxes) {
        const QString designator = DesignatorIn(box.words);
        if (box.result && !designator.isEmpty() && DesignatorIn(captions[box.result]) == designator)
            new StandardValueItem(box.box, box.result, model);
    }
}
