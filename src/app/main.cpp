#include "app/CommandLine.h"

#ifdef ORVANEL_WINDOW_MODULE
#include "app/ExeFolder.h"
#include "app/WindowModule.h"

#include <iostream>
#else
#include "app/Startup.h"
#endif

// A verb runs here, without any window; otherwise the palette starts, on Linux from the
// window module that is loaded only now.
int main(int argc, char** argv)
{
    if (orvanel::wantsCommandLine(argc, argv))
        return orvanel::runCommandLineFace(argc, argv);
#ifdef ORVANEL_WINDOW_MODULE
    return orvanel::runWindowModule(orvanel::windowModuleFor(orvanel::programFolder()), argc, argv, std::cerr);
#else
    return orvanel::runPalette(argc, argv);
#endif
}
