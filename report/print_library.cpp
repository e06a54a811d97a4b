#include "report/print_library.h"

#include "program_libraries/program_library.h"

const PrintLibrary &Printing()
{
    static const PrintLibrary printing = [] {
        PrintLibrary found;
        LoadProgramLibrary(ORTIX_PRINT_FROM_PROGRAM, ORTIX_PRINT_BUILT, std::pair{"PrintPages", &found.printPages},
                           std::pair{"SvgSize", &found.svgSize}, std::pair{"RenderSvg", &found.renderSvg});
        return found;
    }();
    return printing;
}
