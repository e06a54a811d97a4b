#include "window/standard_part_values.h"

#include "numtext/number_text.h"
#include "standard_values/standard_values.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

namespace {

const char *const kValuesProperty = "keptValues";
const char *const kUnitProperty = "keptUnit";

std::vector<double> ValuesOf(const QLabel *label)
{
    const QList<double> values = KeptValues(label);
    return {values.begin(), values.end()};
}

void RefreshStandardValues(QLabel *label)
{
    const QString text =
        StandardValuesText(ValuesOf(label), KeptUnit(label), AllowedSideInCaption(label->accessibleName()));
    label->setToolTip(text);
    label->setAccessibleDescription(text);
}

bool IsAcceptPrompt(const QLabel *label)
{
    const QString text = label->text().trimmed();
    return label->property("kind").toString() == QLatin1String("prompt")
        && (text.startsWith(QStringLiteral("Примем ")) || text.startsWith(QStringLiteral("Принимаем ")));
}

// The result an accept box takes its value from: the last one above it that names the same part.
QLabel *ResultAcceptedIn(const QLineEdit *box, const QList<QLabel *> &results)
{
    const QString designator = DesignatorIn(box->accessibleName());
    if (designator.isEmpty())
        return nullptr;
    QLabel *accepted = nullptr;
    for (QLabel *result : results) {
        if (result->y() < box->y() && (!accepted || result->y() > accepted->y())
            && DesignatorIn(result->accessibleName()) == designator)
            accepted = result;
    }
    return accepted;
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
        const std::optional<long double> value = StandardValueToAccept(ValuesOf(result_), KeptUnit(result_),
                                                                       AllowedSideInCaption(result_->accessibleName()));
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

QString MarkedStandardValue(const QLabel *label, const QString &caption)
{
    return MarkedStandardValueText(ValuesOf(label), KeptUnit(label),
                                   AllowedSideInCaption(caption.isEmpty() ? label->accessibleName() : caption));
}

void OfferStandardValues(QWidget *window)
{
    QList<QLabel *> results, acceptPrompts;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->property("kind").toString() == QLatin1String("result")) {
            results << label;
            RefreshStandardValues(label);
        } else if (IsAcceptPrompt(label)) {
            acceptPrompts << label;
        }
    }
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        const bool overAcceptPrompt =
            std::any_of(acceptPrompts.begin(), acceptPrompts.end(),
                        [box](const QLabel *prompt) { return prompt->geometry().intersects(box->geometry()); });
        if (!overAcceptPrompt)
            continue;
        if (QLabel *result = ResultAcceptedIn(box, results))
            new StandardValueItem(box, result);
    }
}
