#pragma once

#include <QString>
#include <QStringList>

// What the program is started to do.
struct CommandLine
{
    QStringList files;     // calculation files to open in their windows
    QString reportPath;    // --report OUT: write the report of the one file there
    QString netlistPath;   // --netlist OUT.cir: write the netlist of the one file's circuit there
    bool simulate = false; // --simulate: print the simulation of the one file's circuit as JSON

    // The automatic design and the batch of variants (app/design_commands.h).
    QString designWindow;  // --design FormN: design the window from --given, to --out
    QString given;         // --given "Uки=10;Fп=20": the given data of --design
    QString batchPath;     // --batch VARIANTS.csv: design every variant, to the folder --out
    QString batchTemplate; // --batch-template FormN: print the variants' header for the window
    QString outPath;       // --out: the calculation file of --design, the folder of --batch

    // --tolerance: print the margins and the tolerance analysis of the one file's circuit as JSON, with --runs,
    // --jobs (0: one for each core) and --seed (random unless given)
    bool tolerance = false;
    int runs = 200, jobs = 0;
    quint64 seed = 0;
    bool seedGiven = false;

    // Whether the program works on one file with no display, and ends.
    bool Headless() const
    {
        return !reportPath.isEmpty() || !netlistPath.isEmpty() || simulate || tolerance || Designs();
    }
    bool Designs() const { return !designWindow.isEmpty() || !batchPath.isEmpty() || !batchTemplate.isEmpty(); }
};

// Answers --help and --version, and refuses what it does not know, before any window or display is
// needed; Qt's own options (-platform, -style, ...) pass on to the application. Returns only when the
// program is to go on.
CommandLine ProcessCommandLine(int argc, char *argv[]);
