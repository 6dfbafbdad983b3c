#include "options/UserTagEditor.h"

#include "catalogue/UserTagFiles.h"
#include "text/Lines.h"
#include "text/UserError.h"

#include <utility>

namespace orvanel::options {

namespace {

// Moves the selected entry of `items` one place by `step` (-1 up, +1 down), the
// selection with it; false when it cannot move.
template <typename T>
bool moveSelected(std::vector<T>& items, int& selected, int step)
{
    const int to = selected + step;
    if (selected < 0 || to < 0 || selected >= static_cast<int>(items.size()) || to >= static_cast<int>(items.size()))
        return false;
    std::swap(items[static_cast<std::size_t>(selected)], items[static_cast<std::size_t>(to)]);
    selected = to;
    return true;
}

// Deletes the selected entry; nothing is selected afterwards. False when none was.
template <typename T>
bool removeSelected(std::vector<T>& items, int& selected)
{
    if (selected < 0 || selected >= static_cast<int>(items.size()))
        return false;
    items.erase(items.begin() + selected);
    selected = -1;
    return true;
}

} // namespace

UserTagEditor::UserTagEditor(std::string userFolder, launch::Tell tell)
    : userFolder_(std::move(userFolder)), tell_(std::move(tell))
{
}

void UserTagEditor::say(std::string_view message) const
{
    if (tell_)
        tell_(message);
}

std::vector<std::string> UserTagEditor::groupListItems() const
{
    std::vector<std::string> items;
    items.reserve(groups_.size());
    for (const GroupEntry& g : groups_)
        items.push_back(g.name);
    return items;
}

void UserTagEditor::selectTag(int index)
{
    tagIndex_ = index >= 0 && index < static_cast<int>(tags_.size()) ? index : -1;
}

void UserTagEditor::FormShow()
{
    const std::string listPath = userFolder_ + std::string(catalogue::UserTagListFileName);
    if (launch::CheckFileExists(listPath)) {
        try {
            groupNames_ = text::readDataFileLines(listPath);
        } catch (const UserError& e) {
            say(e.what());
        }
    }
    groups_.clear();
    for (const std::string& name : groupNames_)
        groups_.push_back({name, name});
    groupIndex_ = -1;
    tags_.clear();
    tagIndex_ = -1;
    groupListChanged_ = false;
    tagListChanged_ = false;
}

void UserTagEditor::ListBoxSetTagGroupClick(int index)
{
    if (index < 0 || index >= static_cast<int>(groups_.size()))
        return;
    const int before = groupIndex_;
    groupIndex_ = index;
    if (!SaveCurTagGroupList()) {
        groupIndex_ = before;
        return;
    }
    currentGroup_ = groups_[static_cast<std::size_t>(index)].fileName;
    showGroupFile();
}

void UserTagEditor::showGroupFile()
{
    tags_.clear();
    tagIndex_ = -1;
    shownFile_ = {};
    const auto path = catalogue::groupFilePath(userFolder_, currentGroup_);
    if (!path) {
        if (!currentGroup_.empty()) // an empty line of the group list is no group
            say(*catalogue::groupNameProblem(currentGroup_));
        return;
    }
    if (!launch::CheckFileExists(*path))
        return;
    try {
        shownFile_ = readGroupFile(*path);
        groupFileLines_ = shownFile_.lines;
        tags_ = shownFile_.tags;
    } catch (const UserError& e) {
        say(e.what());
    }
}

SupportDialogValues UserTagEditor::BtnTagGroupAddRequest()
{
    return {};
}

std::optional<std::string> UserTagEditor::acceptedGroupName(std::string_view supportResult) const
{
    if (supportResult.empty())
        return std::nullopt;
    if (const auto problem = catalogue::groupNameProblem(supportResult)) {
        say(*problem);
        return std::nullopt;
    }
    return std::string(supportResult);
}

void UserTagEditor::BtnTagGroupAddClick(std::string_view supportResult)
{
    const auto name = acceptedGroupName(supportResult);
    if (!name)
        return;
    groups_.push_back({*name, *name});
    groupListChanged_ = true;
    ListBoxSetTagGroupClick(static_cast<int>(groups_.size()) - 1);
}

std::optional<SupportDialogValues> UserTagEditor::BtnTagGroupEditRequest() const
{
    if (groupIndex_ < 0)
        return std::nullopt;
    SupportDialogValues values;
    values.EditTagGroupName = groups_[static_cast<std::size_t>(groupIndex_)].name;
    return values;
}

void UserTagEditor::BtnTagGroupEditClick(std::string_view supportResult)
{
    if (groupIndex_ < 0)
        return;
    const auto name = acceptedGroupName(supportResult);
    if (!name)
        return;
    groups_[static_cast<std::size_t>(groupIndex_)].name = *name;
    groupListChanged_ = true;
}

void UserTagEditor::BtnTagGroupDelClick()
{
    // The group's file stays on disk; the tags shown stay until another group is selected.
    if (removeSelected(groups_, groupIndex_))
        groupListChanged_ = true;
}

void UserTagEditor::BtnTagGroupUpClick()
{
    if (moveSelected(groups_, groupIndex_, -1))
        groupListChanged_ = true;
}

void UserTagEditor::BtnTagGroupDownClick()
{
    if (moveSelected(groups_, groupIndex_, +1))
        groupListChanged_ = true;
}

std::optional<SupportDialogValues> UserTagEditor::BtnSetTagAddRequest() const
{
    if (groupIndex_ < 0) {
        say(kSelectGroupMessage);
        return std::nullopt;
    }
    SupportDialogValues values;
    values.SupportPanel = SupportPanelId::PnlSetTag;
    return values;
}

std::optional<SupportTag> UserTagEditor::acceptedTag(std::string_view supportResult) const
{
    auto tag = splitSupportResult(supportResult);
    // A name with "=" would be read back as a data line: the tag would show nowhere.
    if (tag && tag->name.find('=') != std::string::npos) {
        say(kEqualsInTagNameMessage);
        return std::nullopt;
    }
    return tag;
}

void UserTagEditor::BtnSetTagAddClick(std::string_view supportResult)
{
    if (groupIndex_ < 0)
        return;
    auto tag = acceptedTag(supportResult);
    if (!tag)
        return;
    tags_.push_back({std::move(tag->name), std::move(tag->tagTemplate), std::nullopt, std::nullopt});
    tagIndex_ = static_cast<int>(tags_.size()) - 1;
    tagListChanged_ = true;
}

std::optional<SupportDialogValues> UserTagEditor::BtnSetTagEditRequest() const
{
    if (tagIndex_ < 0)
        return std::nullopt;
    const UserTag& tag = tags_[static_cast<std::size_t>(tagIndex_)];
    return tagPanelFor(tag.name, tag.tagTemplate);
}

void UserTagEditor::BtnSetTagEditClick(std::string_view supportResult)
{
    if (tagIndex_ < 0)
        return;
    auto tag = acceptedTag(supportResult);
    if (!tag)
        return;
    UserTag& shown = tags_[static_cast<std::size_t>(tagIndex_)];
    shown.name = std::move(tag->name);
    shown.tagTemplate = std::move(tag->tagTemplate);
    tagListChanged_ = true;
}

void UserTagEditor::BtnSetTagDelClick()
{
    if (removeSelected(tags_, tagIndex_))
        tagListChanged_ = true;
}

void UserTagEditor::BtnSetTagUpClick()
{
    if (moveSelected(tags_, tagIndex_, -1))
        tagListChanged_ = true;
}

void UserTagEditor::BtnSetTagDownClick()
{
    if (moveSelected(tags_, tagIndex_, +1))
        tagListChanged_ = true;
}

bool UserTagEditor::SaveCurTagGroupList()
{
    if (!tagListChanged_)
        return true;
    const auto path = catalogue::groupFilePath(userFolder_, currentGroup_);
    if (!path) {
        say(*catalogue::groupNameProblem(currentGroup_));
        return false;
    }
    const auto bytes = encodeGroupFile(tags_, shownFile_);
    if (!bytes) {
        say(*path + " を保存できません。\n"
                    "読み取れない文字を含むファイルに、シフトJISで書けない文字は加えられません。");
        return false;
    }
    try {
        text::writeFileAtomically(*path, *bytes);
    } catch (const UserError& e) {
        say(e.what());
        return false;
    }
    groupFileLines_ = groupFileLines(tags_);
    tagListChanged_ = false;
    return true;
}

bool UserTagEditor::renameGroupFile(std::size_t entry)
{
    GroupEntry& group = groups_[entry];
    const auto fromPath = catalogue::groupFilePath(userFolder_, group.fileName);
    if (!fromPath || !launch::CheckFileExists(*fromPath))
        return true; // a group without tags (or with a name that names no file) has none to carry
    const std::string& from = *fromPath;
    const std::string to = *catalogue::groupFilePath(userFolder_, group.name);
    if (launch::CheckFileExists(to)) {
        say(to + " がすでにあるため、グループ「" + group.fileName + "」の名前を「" + group.name
            + "」に変更できません。");
        return false;
    }
    // A file that another entry of the list (a group listed twice) still reads is copied,
    // not moved.
    bool shared = false;
    for (std::size_t i = 0; i < groups_.size(); ++i)
        shared = shared || (i != entry && groups_[i].fileName == group.fileName);
    bool done = false;
    if (shared) {
        try {
            const auto bytes = text::readFileBytes(from);
            if (bytes) {
                text::writeFileAtomically(to, *bytes);
                done = true;
            }
        } catch (const UserError&) {
        }
    } else {
        done = text::renameFile(from, to);
    }
    if (!done)
        say(from + " を " + to + " に変更できませんでした。");
    return done;
}

bool UserTagEditor::SaveUserTagGroupList()
{
    if (!groupListChanged_)
        return true;
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        GroupEntry& group = groups_[i];
        if (group.name == group.fileName)
            continue;
        if (renameGroupFile(i)) {
            if (currentGroup_ == group.fileName)
                currentGroup_ = group.name;
            group.fileName = group.name;
        } else {
            group.name = group.fileName; // the group keeps the name its file has
        }
    }
    groupNames_.clear();
    for (const GroupEntry& group : groups_) {
        if (group.name.empty())
            continue; // an empty line of the group list is no group
        const auto path = catalogue::groupFilePath(userFolder_, group.name);
        if (!path)
            say(*catalogue::groupNameProblem(group.name));
        else if (launch::CheckFileExists(*path, tell_))
            groupNames_.push_back(group.name);
    }
    try {
        text::writeDataFileLines(userFolder_ + std::string(catalogue::UserTagListFileName), groupNames_);
    } catch (const UserError& e) {
        say(e.what());
        return false;
    }
    return true;
}

} // namespace orvanel::options
