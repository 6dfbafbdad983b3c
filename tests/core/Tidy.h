#pragma once
// The HTML checker tidy (Debian package tidy), run by the core tests on composed HTML.
// On Windows neither tidy nor the shell that runs it are there: the tests that need it
// skip with kNoTidyOnWindows.

#include <string>
#include <vector>

namespace orvanel::test {

inline constexpr const char* kNoTidyOnWindows =
    "the HTML checker tidy is a Debian tool run through a POSIX shell; these checks run on Linux";

bool tidyAvailable();

struct TidyRun {
    bool ran = false;                  // tidy started and its exit status was read
    int status = -1;                   // its exit status
    std::vector<std::string> messages; // its report lines that hold "Warning:" or "Error:"
};

// Runs `tidy -q -e <options>` on `html`.
TidyRun runTidy(const std::string& html, const std::string& options = {});

} // namespace orvanel::test
