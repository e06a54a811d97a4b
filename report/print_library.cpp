#include "report/print_library.h"

#include "files/program_library.h"

#include <QLibrary>

const PrintLibrary &Printing()
{
    static const PrintLibrary printing = [] {
        PrintLibrary found;
        LoadProgramLibrary(ORTIX_PRINT_FROM_PROGRAM, ORTIX_PRINT_BUILT, [&found](QLibrary &library) {
            found.printPages = reinterpret_cast<PrintPagesFunction *>(library.resolve("PrintPages"));
            found.svgSize = reinterpret_cast<SvgSizeFunction *>(library.resolve("SvgSize"));
            found.renderSvg = reinterpret_cast<RenderSvgFunction *>(library.resolve("RenderSvg"));
            if (found.printPages && found.svgSize && found.renderSvg)
                return true;
            found = {};
            return false;
        });
        return found;
    }();
    return printing;
}
