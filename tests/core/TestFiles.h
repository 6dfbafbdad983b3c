#pragma once
// Files for the core tests: a temporary folder that is removed afterwards, and whole-file
// reads and writes. Paths are UTF-8 strings, as in the program, on Windows too.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace orvanel::test {

inline constexpr bool kOnWindows =
#ifdef _WIN32
    true;
#else
    false;
#endif

inline std::filesystem::path pathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path& path)
{
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "orvanel-test")
    {
        std::random_device random;
        do
            path_ = std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // `name` (UTF-8, may hold "/") inside the folder.
    std::string file(const std::string& name) const { return utf8Of(path_ / pathOf(name)); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string readAll(const std::string& path)
{
    std::ifstream in(pathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(pathOf(path), std::ios::binary) << bytes;
}

} // namespace orvanel::test
