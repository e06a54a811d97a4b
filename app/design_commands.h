#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct CommandLine;
class QWidget;
class TCalculatorWindow;

// The calculator a name stands for: its window's name ("Form5") or its circuit's as the main menu
// writes it («Триггер с эмиттерной связью»); none for any other name.
TCalculatorWindow *CalculatorNamed(const QString &name);

// The windows of a fresh calculation of the named calculator, apart from the program's own: the calculator
// first. None for an unknown name.
std::vector<std::unique_ptr<TCalculatorWindow>> NewCalculation(const QString &name);

// «Файл» → «Пакетный расчёт…»: asks for the variants' CSV and the answers' folder, designs every variant
// under a progress bar that can cancel, and tells what became of them.
void RunBatchWithDialogs(QWidget *parent);

// Whether a batch may write into the folder: where an earlier batch's answers are, the user is asked first.
bool MayWriteAnswersInto(QWidget *parent, const QString &folder);

// Does what --design, --batch or --batch-template asks, showing nothing. Returns the program's exit code:
// 0 when every variant was designed to its end, 1 with what was not on standard error.
int RunDesignCommandLine(const CommandLine &commandLine);
