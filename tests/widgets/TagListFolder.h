#pragma once
// The program folder of a palette under test: a temporary folder holding the shipped tag lists.

#include <QTemporaryDir>

#include <filesystem>
#include <string>

inline std::string folderWithTagLists(const QTemporaryDir& dir)
{
    const std::string folder = dir.path().toStdString() + "/";
    for (const char* name : {"TagMList.lst", "TagBList.lst"})
        std::filesystem::copy_file(std::string(ORVANEL_SOURCE_DIR) + "/data/" + name, folder + name);
    return folder;
}
