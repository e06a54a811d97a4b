#pragma once

class QString;
struct CommandLine;

// Does what --report, --netlist, --simulate or --tolerance asks with the one calculation file, showing nothing.
// Returns the program's exit code: 0 when done (for --simulate and --tolerance, whether or not the trigger works), 1
// with one line on standard error when not.
int RunHeadless(const CommandLine &commandLine);

// What the program says to the command line's user: one line on standard error, "Ortix-T: text".
void SayError(const QString &text);
