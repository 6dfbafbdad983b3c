#include "app/CommandLine.h"
#include "app/Startup.h"

// A verb runs here, without any window; otherwise the palette starts.
int main(int argc, char** argv)
{
    if (orvanel::wantsCommandLine(argc, argv))
        return orvanel::runCommandLineFace(argc, argv);
    return orvanel::runPalette(argc, argv);
}
