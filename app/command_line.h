#pragma once

#include <QString>
#include <QStringList>

// What the program is started to do.
struct CommandLine
{
    QStringList files;  // calculation files to open in their windows
    QString reportPath; // --report OUT: write the report of the one file there, with no display, and end
};

// Answers --help and --version, and refuses what it does not know, before any window or display is
// needed; Qt's own options (-platform, -style, ...) pass on to the application. Returns only when the
// program is to go on.
CommandLine ProcessCommandLine(int argc, char *argv[]);
