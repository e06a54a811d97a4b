#include "design/design_command.h"

#include "window/calculator_window.h"
#include "window/fault_report.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

std::vector<TDesignCommand *> gCommands;

} // namespace

TDesignCommand::TDesignCommand(TCalculatorWindow *calculator) : QObject(calculator), calculator_(calculator)
{
    gCommands.push_back(this);
    connect(this, &QObject::destroyed, [this] { std::erase(gCommands, this); });
}

TDesignCommand *TDesignCommand::Of(const QWidget *window)
{
    for (TDesignCommand *command : gCommands) {
        if (command->calculator_ == window || command->calculator_->FollowingCalculation() == window)
            return command;
    }
    return nullptr;
}

QString GivenBoxesMessage(const std::vector<GivenBox> &boxes)
{
    QString text = QStringLiteral("Расчёт по стандартным значениям не начат: введите числа в поля");
    for (const GivenBox &box : boxes)
        text += QStringLiteral("\n• ") + box.description;
    return text;
}

void TDesignCommand::Run(QWidget *parent)
{
    const DesignPlan plan = PlanDesign(calculator_);
    const std::vector<GivenBox> missing = GivenBoxesNotNumbers(plan);
    if (!missing.empty()) {
        ShowWarning(parent, GivenBoxesMessage(missing));
        return;
    }
    bool replace = true;
    if (const qsizetype typed = TypedBoxes(plan).size()) {
        QMessageBox box(
            QMessageBox::Question, QCoreApplication::applicationName(),
            QStringLiteral("В полях «Примем …» уже введены значения (%1). Заменить их стандартными?").arg(typed),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Заменить"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Оставить введённые"));
        box.setDefaultButton(QMessageBox::No);
        const int answer = box.exec();
        if (answer == QMessageBox::Cancel)
            return;
        replace = answer == QMessageBox::Yes;
    }
    Forget();
    DesignOutcome outcome = RunDesign(plan, replace);
    changed_ = std::move(outcome.changed);
    // Undoing after the user has typed over a filled box would lose the typing: the undo is forgotten then.
    for (const ChangedBox &changed : changed_)
        connect(changed.box, &QLineEdit::textChanged, this, [this] {
            if (!restoring_)
                Forget();
        });
    emit UndoAvailable(CanUndo());
    if (!outcome.Complete()) {
        ShowFaultReport(parent, outcome.fault);
    } else if (outcome.lastPressed && outcome.lastPressed->window() == parent->window()) {
        // Where a person who pressed the steps would be: Ctrl+Z then undoes the command, not a box's typing.
        outcome.lastPressed->setFocus(Qt::OtherFocusReason);
    }
}

void TDesignCommand::Undo()
{
    const std::vector<ChangedBox> changed = changed_;
    Forget();
    restoring_ = true;
    for (const ChangedBox &box : changed) {
        box.box->setText(box.text);
        box.box->setToolTip(box.toolTip);
    }
    restoring_ = false;
}

void TDesignCommand::Forget()
{
    for (const ChangedBox &changed : changed_)
        disconnect(changed.box, &QLineEdit::textChanged, this, nullptr);
    const bool had = CanUndo();
    changed_.clear();
    if (had)
        emit UndoAvailable(false);
}
