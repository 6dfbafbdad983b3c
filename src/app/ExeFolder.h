#pragma once
// Where the program's files are: the shipped tag lists beside the executable or, for an
// installed program, in <prefix>/share/orvanel/ beside <prefix>/bin/; the user's files
// (settings, user tag groups) beside the executable too, or in the user's configuration
// folder when the program is installed or its folder cannot be written.

#include <functional>
#include <string>

namespace orvanel {

// The folder of the running executable, with its trailing separator ("/", on Windows "\").
std::string programFolder();

// The file that tells where the shipped data files are.
inline constexpr const char* TagListName = "TagMList.lst";

// The folder of the shipped data files (the tag lists, the "html5/" user tag group), with
// its trailing separator: the program folder when the tag lists are there, else the shared
// data folder of an installed program when they are there, else the program folder (so
// that the message about a missing tag list names the file beside the executable). On
// Windows they are always beside the executable.
std::string dataFolder();
std::string dataFolderFor(const std::string& programFolder);

#ifndef _WIN32
// The path of the program's file `name`: beside the executable when it is there, else in
// `installedFolder` (relative to the prefix, with its trailing "/", such as "share/orvanel/")
// of a program installed in <prefix>/bin/ when it is there, else beside the executable (so
// that a message about a missing file names the place of a program run where it was built).
std::string programFileFor(const std::string& programFolder, const char* name, const char* installedFolder);
#endif

// The folder of the user's files ("Orvanel.ini", "usertag.lst", group files), with its
// trailing separator: the program folder when files can be created in it and it is not an
// installed program's (whose data files are in the shared data folder), else
// $XDG_CONFIG_HOME/orvanel/ (~/.config/orvanel/ when that is not set), on Windows
// %APPDATA%\Orvanel\; created when missing.
std::string userFolder();

// The choice made by userFolder(), for a given program folder and environment (on
// Windows, "APPDATA" names the user's roaming application data folder).
std::string userFolderFor(const std::string& programFolder,
                          const std::function<const char*(const char*)>& getenv);

} // namespace orvanel
