#pragma once

#include <QStringList>

// Answers --help and --version, and refuses what it does not know, before any window or display is
// needed; Qt's own options (-platform, -style, ...) pass on to the application. Returns, only when the
// program is to start, the calculation files to open.
QStringList ProcessCommandLine(int argc, char *argv[]);
