// File icons from the shell under Wine: a page and a text file give their small icon's
// pixels, a file that is not there gives none.

#include "platform/Backend.h"
#include "text/Utf16.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace orvanel::win32 {
namespace {

TEST(FileIcons, AFileGivesItsSmallIconsPixelsAMissingOneNoIcon)
{
    auto backend = createBackend();
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    const std::string dir = text::fromUtf16(folder);
    for (const char* name : {"icon page.html", "icon w\xC3\xB6rds.txt"}) {
        const std::string file = dir + name;
        std::ofstream(std::filesystem::path(text::toUtf16(file))) << "text\n";
        const FileIconLookup found = backend->fileIcons().iconOf(file);
        ASSERT_EQ(found.outcome, FileIconLookup::Outcome::Found) << name;
        ASSERT_TRUE(found.picture) << name;
        EXPECT_EQ(found.picture->width, 16) << name;
        EXPECT_EQ(found.picture->height, 16) << name;
        ASSERT_EQ(found.picture->argb.size(), 16u * 16u) << name;
        EXPECT_TRUE(std::any_of(found.picture->argb.begin(), found.picture->argb.end(),
                                [](std::uint32_t p) { return (p >> 24) != 0; }))
            << name;
    }
    EXPECT_EQ(backend->fileIcons().iconOf(dir + "no such file.html").outcome, FileIconLookup::Outcome::NoIcon);
    EXPECT_EQ(backend->fileIcons().iconOf("").outcome, FileIconLookup::Outcome::NoIcon);
}

} // namespace
} // namespace orvanel::win32
