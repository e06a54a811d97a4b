#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct CommandLine;
class TCalculatorWindow;

// The calculator a name stands for: its window's name ("Form5") or its circuit's as the main menu
// writes it («Триггер с эмиттерной связью»); none for any other name.
TCalculatorWindow *CalculatorNamed(const QString &name);

// Does what --design, --batch or --batch-template asks, showing nothing. Returns the program's exit code:
// 0 when every variant was designed to its end, 1 with what was not on standard error.
int RunDesignCommandLine(const CommandLine &commandLine);
