#pragma once

#include "documents/calculation_file.h"

#include <QList>

class QLineEdit;
class TCalculatorWindow;

#include <vector>

// What a window holds now, as a calculation file keeps it.
WindowRecord RecordOf(TCalculatorWindow *window);
// What the windows of one calculation hold now, with the decimal mark their texts are typed with.
CalculationRecord RecordOf(const std::vector<TCalculatorWindow *> &windows);

// What keeps the record from filling the window, in Russian: a name the window lacks, a box, result or
// quantity of the window that the record lacks, or a text longer than its box takes. Empty when it fits.
QString MismatchOf(const WindowRecord &record, TCalculatorWindow *window);

// Fills a window that the record fits. Texts typed with another decimal mark than the current one are
// shown in the current one where they are numbers in theirs.
void Restore(TCalculatorWindow *window, const WindowRecord &record, char typedMark);

// The window as it starts: every box and result empty, every quantity 0; the boxes to keep keep their texts.
void ClearWindow(TCalculatorWindow *window, const QList<const QLineEdit *> &keep = {});
