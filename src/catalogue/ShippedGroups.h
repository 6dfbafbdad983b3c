#pragma once
// The tag groups shipped with the program (the group "HTML5"), in a folder of their own with
// a group list and group files of the usual formats. At the first start, when the user folder
// has no group list yet, they are put there, so that a new user finds them as pages; a user
// who has a group list keeps exactly their own, and no file of the user's is ever replaced.

#include <string>

namespace orvanel::catalogue {

enum class ShippedGroupsOutcome {
    Installed,     // the group files and then the group list were written to the user folder
    UserHasGroups, // the user folder has a group list: nothing was done
    NoneShipped,   // the shipped folder has no group list: nothing was done
    Failed,        // a file could not be read or written; `message` says which
};

struct ShippedGroupsResult {
    ShippedGroupsOutcome outcome = ShippedGroupsOutcome::NoneShipped;
    std::string message;
};

// `shippedFolder` and `userFolder` end with "/". The shipped group files come first, each
// only where the user has no file of that name; the group list last, so that a start that
// fails half-way tries again next time.
ShippedGroupsResult installShippedGroups(const std::string& shippedFolder, const std::string& userFolder);

} // namespace orvanel::catalogue
