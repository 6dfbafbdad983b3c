#include "catalogue/ShippedGroups.h"

#include "catalogue/UserTagFiles.h"
#include "text/Lines.h"
#include "text/UserError.h"

namespace orvanel::catalogue {

namespace {

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
    if (text::pathExists(userFolder + list))
        return {ShippedGroupsOutcome::UserHasGroups, {}};
    if (!text::pathExists(shippedFolder + list))
        return {ShippedGroupsOutcome::NoneShipped, {}};
    try {
        for (const std::string& name : text::readDataFileLines(shippedFolder + list)) {
            const auto shipped = groupFilePath(shippedFolder, name);
            const auto own = groupFilePath(userFolder, name);
            if (shipped && own && text::pathExists(*shipped) && !text::pathExists(*own))
                copyFile(*shipped, *own);
        }
        copyFile(shippedFolder + list, userFolder + list);
    } catch (const UserError& e) {
        return {ShippedGroupsOutcome::Failed, e.what()};
    }
    return {ShippedGroupsOutcome::Installed, {}};
}

} // namespace orvanel::catalogue
