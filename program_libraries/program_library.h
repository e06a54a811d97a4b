#pragma once

#include <QLibrary>

#include <functional>
#include <utility>

// Loads a library of the program's own, which carries what start-up has no need of, at its first use: from
// beside the installed program (fromProgram, relative to the program's folder), or else from the build tree
// (built). resolve takes the entry points it needs from a loaded library and says whether they were all
// there; false when no library had them all. Loading leaves the steps' floating-point settings as they were.
bool LoadProgramLibrary(const char *fromProgram, const char *built, const std::function<bool(QLibrary &)> &resolve);

// The same for entry points named with where each goes, {"Name", &function}: every one found, or none.
template <class... Function>
bool LoadProgramLibrary(const char *fromProgram, const char *built, std::pair<const char *, Function **>... entries)
{
    return LoadProgramLibrary(fromProgram, built, [&entries...](QLibrary &library) {
        const bool all = ((*entries.second = reinterpret_cast<Function *>(library.resolve(entries.first))) && ...);
        if (!all)
            ((*entries.second = nullptr), ...);
        return all;
    });
}
