#include "platform/posix/MimeFileIcons.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using orvanel::FileIconLookup;

TEST(MimeFileIcons, TheTypeOfAFileNamesItsIcons)
{
    std::string pattern = (fs::temp_directory_path() / "orvanel-icons-XXXXXX").string();
    const std::string dir = ::mkdtemp(pattern.data());
    std::ofstream(dir + "/page.html") << "<html><body>x</body></html>";
    orvanel::MimeFileIcons icons;

    const FileIconLookup page = icons.iconOf(dir + "/page.html");
    ASSERT_EQ(page.outcome, FileIconLookup::Outcome::Found);
    EXPECT_EQ(page.themeName, "text-html");
    EXPECT_EQ(page.genericName, "text-x-generic");
    // No file, no icon: the caller then gives the broken picture.
    EXPECT_EQ(icons.iconOf(dir + "/gone.html").outcome, FileIconLookup::Outcome::NoIcon);
    fs::remove_all(dir);
}
