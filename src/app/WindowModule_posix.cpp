#include "app/WindowModule.h"

#include "app/ExeFolder.h"

#include <dlfcn.h>

#include <ostream>

namespace orvanel {

std::string windowModuleFor(const std::string& programFolder)
{
    return programFileFor(programFolder, WindowModuleName, WindowModuleFolder);
}

int runWindowModule(const std::string& path, int argc, char** argv, std::ostream& err)
{
    // Never closed: the windows' objects and Qt's own end with the process.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = module ? ::dlsym(module, WindowModuleEntry) : nullptr;
    if (!entry) {
        const char* reason = ::dlerror();
        err << "Orvanel のウィンドウのモジュールを読み込めないため、起動できません: "
            << (reason ? reason : path.c_str()) << std::endl;
        return 1;
    }
    return reinterpret_cast<WindowModuleEntryFunction>(entry)(argc, argv);
}

} // namespace orvanel
