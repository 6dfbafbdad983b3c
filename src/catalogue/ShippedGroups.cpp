#include "catalogue/ShippedGroups.h"

#include "catalogue/UserTagFiles.h"
#include "text/Lines.h"
#include "text/UserError.h"

#include <sys/stat.h>

namespace orvanel::catalogue {

namespace {

// Any entry, even a broken link or a folder: never written over.
bool exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The bytes of `from` copied to `to`, unchanged.
void copyFile(const std::string& from, const std::string& to)
{
    const auto bytes = text::readFileBytes(from);
    if (!bytes)
        throw fileOpenError(from);
    text::writeFileAtomically(to, *bytes);
}

} // namespace

ShippedGroupsResult installShippedGroups(const std::string& shippedFolder, const std::string& userFolder)
{
    const std::string list(UserTagListFileName);
    if (exists(userFolder + list))
        return {ShippedGroupsOutcome::UserHasGroups, {}};
    if (!exists(shippedFolder + list))
        return {ShippedGroupsOutcome::NoneShipped, {}};
    try {
        for (const std::string& name : text::readDataFileLines(shippedFolder + list)) {
            const auto shipped = groupFilePath(shippedFolder, name);
            const auto own = groupFilePath(userFolder, name);
            if (shipped && own && exists(*shipped) && !exists(*own))
                copyFile(*shipped, *own);
        }
        copyFile(shippedFolder + list, userFolder + list);
    } catch (const UserError& e) {
        return {ShippedGroupsOutcome::Failed, e.what()};
    }
    return {ShippedGroupsOutcome::Installed, {}};
}

} // namespace orvanel::catalogue
