#include "Tidy.h"

#include "TestFiles.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace orvanel::test {

namespace {

int exitStatus(int status)
{
#ifdef _WIN32
    return status;
#else
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

} // namespace

bool tidyAvailable()
{
    return !kOnWindows && std::system("tidy -v >/dev/null 2>&1") == 0;
}

TidyRun runTidy(const std::string& html, const std::string& options)
{
    TempFolder dir("orvanel-tidy");
    const std::string path = dir.file("page.html");
    writeAll(path, html);
    TidyRun r;
    const std::string command = "tidy -q -e " + options + " '" + path + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return r;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe)) {
        std::string line = buffer.data();
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.find("Warning:") != std::string::npos || line.find("Error:") != std::string::npos)
            r.messages.push_back(line);
    }
    r.status = exitStatus(::pclose(pipe));
    r.ran = r.status >= 0;
    return r;
}

} // namespace orvanel::test
