#include "app/Startup.h"
#include "app/WindowModule.h"

#include <type_traits>

// The window module's one export; its name and type are WindowModuleEntry's.
extern "C" __attribute__((visibility("default"))) int orvanel_run_palette(int argc, char** argv)
{
    static_assert(std::is_same_v<decltype(&orvanel_run_palette), orvanel::WindowModuleEntryFunction>);
    return orvanel::runPalette(argc, argv);
}
