#pragma once

#include "design/automatic_design.h"

#include <QObject>

class QWidget;

// «Расчёт» → «Рассчитать по стандартным значениям» of one calculation, and «Правка» → «Отменить», which
// gives every box the command filled its text back.
class TDesignCommand : public QObject
{
    Q_OBJECT

public:
    explicit TDesignCommand(TCalculatorWindow *calculator);

    // The command of the calculation the window belongs to; none for a window of no calculation.
    static TDesignCommand *Of(const QWidget *window);

    // Checks the given boxes (one message names every one that is not a number, and nothing runs), asks
    // once whether to replace the accepted values typed already, then designs; a fault is shown in the
    // usual box, and what was done stays.
    void Run(QWidget *parent);

    bool CanUndo() const { return !changed_.empty(); }
    void Undo();

signals:
    void UndoAvailable(bool available);

private:
    void Forget();

    TCalculatorWindow *calculator_;
    std::vector<ChangedBox> changed_;
    bool restoring_ = false;
};

// The message that names the given boxes to fill first.
QString GivenBoxesMessage(const std::vector<GivenBox> &boxes);
