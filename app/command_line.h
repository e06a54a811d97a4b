#pragma once

// Answers --help and --version, and refuses what it does not know, before any window or display is
// needed; Qt's own options (-platform, -style, ...) pass on to the application. Returns only when
// the program is to start.
void ProcessCommandLine(int argc, char *argv[]);
