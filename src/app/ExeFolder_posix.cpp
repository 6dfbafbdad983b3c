#include "app/ExeFolder.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanel {

namespace {

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

// Creates `folder` and its missing parents; true when it exists afterwards.
bool makeFolders(const std::string& folder)
{
    for (std::size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/')
            continue;
        const std::string part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Whether the tag lists are not beside the executable but in the shared data folder of an
// installed program.
bool isInstalled(const std::string& program)
{
    return dataFolderFor(program) != withSlash(program);
}

} // namespace

std::string programFolder()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return "./";
    const std::string exe(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

std::string programFileFor(const std::string& programFolder, const char* name, const char* installedFolder)
{
    const std::string program = withSlash(programFolder);
    if (isFile(program + name))
        return program + name;
    // <prefix>/bin/ -> <prefix>/
    const std::size_t slash = program.rfind('/', program.size() - 2);
    const std::string prefix = slash == std::string::npos ? program + "../" : program.substr(0, slash + 1);
    const std::string installed = prefix + installedFolder + name;
    return isFile(installed) ? installed : program + name;
}

std::string dataFolderFor(const std::string& programFolder)
{
    const std::string list = programFileFor(programFolder, TagListName, "share/orvanel/");
    return list.substr(0, list.size() - std::char_traits<char>::length(TagListName));
}

std::string dataFolder()
{
    return dataFolderFor(programFolder());
}

std::string userFolderFor(const std::string& program,
                          const std::function<const char*(const char*)>& getenv)
{
    // An installed program keeps the user's files in the user's folder, also when the user
    // may write to the program's folder (root may write to /usr/bin).
    if (!isInstalled(program) && ::access(program.c_str(), W_OK) == 0)
        return withSlash(program);
    std::string base;
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') {
        base = config;
    } else {
        const char* home = getenv("HOME");
        if (!home || !home[0]) {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw && pw->pw_dir ? pw->pw_dir : "/tmp";
        }
        base = withSlash(home) + ".config";
    }
    const std::string folder = withSlash(base) + "orvanel/";
    // When it cannot be created, saving there fails later with the path in its message.
    makeFolders(folder.substr(0, folder.size() - 1));
    return folder;
}

std::string userFolder()
{
    return userFolderFor(programFolder(), [](const char* name) { return std::getenv(name); });
}

} // namespace orvanel
