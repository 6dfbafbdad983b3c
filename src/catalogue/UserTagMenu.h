#pragma once
// The user tag groups as the palette shows them: each group a submenu appended to both
// tag menus (MenuItemTag and PopTag) and a page of captioned buttons appended to PageTag.
//
// LoadUserTag reads the group list and the group files into the user tag list: for every
// line of group number g (its 0-based line in "usertag.lst", counting groups that could not
// be read), a data line becomes "Group" + g + "_" + line (entry key "Group<g>_User<i>"),
// any other line (a tag name) becomes "[" + group + "][" + line + "]". LoadUserTagMnBtn
// builds the groups and tags from that list; the window only renders them.

#include "launch/CheckFileExists.h"
#include "text/KeyedTextList.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel::catalogue {

// One tag of a group: a menu item in each tag menu and a button on the group's page.
struct UserTagItem {
    std::string caption;  // the tag's name
    std::string entryKey; // "Group<g>_User<i>"; empty when the name has no data line after it

    // A tag named "-" is a separator in the menus; its button is an ordinary button.
    bool isSeparator() const { return caption == "-"; }
    // "UserMn" + key in MenuItemTag, "UserPm" + key in PopTag; separators have no name.
    std::string menuItemName(std::string_view prefix) const
    {
        return isSeparator() ? std::string() : std::string(prefix) + entryKey;
    }
    std::string buttonName() const { return "UserBtn" + entryKey; }
};

// A group: its submenu's and page's caption and its tags in order.
struct UserTagGroup {
    std::string caption;
    std::vector<UserTagItem> tags;
};

// Reads "usertag.lst" and the group files in `userFolder` into the user tag list. A
// missing "usertag.lst" gives an empty list without a message. A group whose file is
// missing (the message "<path>がありません。"), cannot be read, or whose name cannot name
// a file in the user folder is told through `tell` and left out; the numbers of the
// other groups stay. Empty lines of the group list are no groups and are passed over
// silently.
text::KeyedTextList LoadUserTag(const std::string& userFolder, const launch::Tell& tell);

// The groups of the user tag list, in order. A tag whose name equals that of the tag
// just before it in the same group adds nothing; a group file without lines gives no
// group at all.
std::vector<UserTagGroup> LoadUserTagMnBtn(const text::KeyedTextList& userTagList);

// The key in the name of a user tag item or button: the name after "UserMn", "UserPm" or
// "UserBtn"; empty for any other name.
std::string userTagKeyOf(std::string_view senderName);

// What a user tag inserts: the key's value without its first and last character ("["
// and "]" of the data line).
std::string userTagTemplate(const text::KeyedTextList& userTagList, std::string_view key);

// The click on a user tag item or button named `senderName`: the template to insert, or
// nullopt when the name holds no key (nothing happens).
std::optional<std::string> TagUserMnBtnClick(const text::KeyedTextList& userTagList, std::string_view senderName);

} // namespace orvanel::catalogue
