#pragma once
// One line on standard error for each wait of the backend and how it ended, when the
// environment variable ORVANEL_DEBUG is set: "this editor does not take the text" can then
// be diagnosed from a report.

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace orvanel::win32 {

inline bool tracing()
{
    static const bool on = std::getenv("ORVANEL_DEBUG") != nullptr;
    return on;
}

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline void trace(const char* format, ...)
{
    if (!tracing())
        return;
    std::va_list args;
    va_start(args, format);
    std::fputs("orvanel.win32: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
    va_end(args);
}

// Milliseconds since the object was made, for the diagnostics.
class Stopwatch {
public:
    long long ms() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_)
            .count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace orvanel::win32
