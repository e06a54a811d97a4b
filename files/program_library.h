#pragma once

#include <functional>

class QLibrary;

// Loads a library of the program's own, which carries what start-up has no need of, at its first use: from
// beside the installed program (fromProgram, relative to the program's folder), or else from the build tree
// (built). resolve takes the entry points it needs from a loaded library and says whether they were all
// there; false when no library had them all. Loading leaves the steps' floating-point settings as they were.
bool LoadProgramLibrary(const char *fromProgram, const char *built, const std::function<bool(QLibrary &)> &resolve);
