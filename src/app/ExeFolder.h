#pragma once
// Where the program's files are: the shipped tag lists beside the executable, the user's
// files (settings, user tag groups) there too, or in the user's configuration folder when
// the program's folder cannot be written.

#include <functional>
#include <string>

namespace orvanel {

// The folder of the running executable, with its trailing "/".
std::string programFolder();

// The folder of the user's files ("Orvanel.ini", "usertag.lst", group files), with its
// trailing "/": the program folder when it is writable, else $XDG_CONFIG_HOME/orvanel/
// (~/.config/orvanel/ when that is not set), created when missing.
std::string userFolder();

// The choice made by userFolder(), for a given program folder and environment.
std::string userFolderFor(const std::string& programFolder,
                          const std::function<const char*(const char*)>& getenv);

} // namespace orvanel
