#ifndef _WIN32 // the windows are a module of their own on Linux only
#include "app/WindowModule.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace orvanel;

TEST(WindowModule, BesideTheProgramElseWhereItIsInstalledAndAFailedLoadSaysWhy)
{
    test::TempFolder dir("orvanel-module");
    std::filesystem::create_directories(dir.file("usr/lib/orvanel"));
    std::filesystem::create_directories(dir.file("usr/bin"));
    test::writeAll(dir.file("usr/lib/orvanel/orvanel-ui.so"), "x");
    EXPECT_EQ(windowModuleFor(dir.file("usr/bin")), dir.file("usr/lib/orvanel/orvanel-ui.so"));
    test::writeAll(dir.file("usr/bin/orvanel-ui.so"), "not a shared object");
    EXPECT_EQ(windowModuleFor(dir.file("usr/bin/")), dir.file("usr/bin/orvanel-ui.so"));
    // Not a shared object, or one without the entry: the loader's reason on one line, status 1.
    for (const std::string& module : {dir.file("usr/bin/orvanel-ui.so"), std::string("libm.so.6")}) {
        std::ostringstream err;
        EXPECT_EQ(runWindowModule(module, 0, nullptr, err), 1);
        const std::string line = err.str();
        EXPECT_TRUE(line.find("起動できません: ") != std::string::npos && line.find('\n') == line.size() - 1 &&
                    line.find(module.substr(module.rfind('/') + 1)) != std::string::npos) << line;
    }
}
#endif
