#include "program_libraries/program_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cfenv>

bool LoadProgramLibrary(const char *fromProgram, const char *built, const std::function<bool(QLibrary &)> &resolve)
{
    // Loading Qt's libraries and what they link must leave the x87 settings of the steps as they were.
    fenv_t environment;
    fegetenv(&environment);
    const QString installed = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(fromProgram));
    bool found = false;
    for (const QString &path : {installed, QString::fromUtf8(built)}) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary library(path);
        found = resolve(library);
        if (found)
            break;
    }
    fesetenv(&environment);
    return found;
}
