#pragma once
// The user tag editor of the options dialog's page "タグ登録": the group list
// (ListBoxSetTagGroup) and, for the selected group, its tags (ListBoxSetTagName with
// the templates beside them), with the buttons that add, edit, delete and move entries,
// and the saving of the group files and of "usertag.lst". The page renders this model
// and forwards its events; the input support dialog's answer comes in as a value.
//
// Group files are found by the name they had when the dialog was shown or the group was
// added: a rename takes effect on disk when the group list is saved (OK), where the file
// is renamed with the group, so that Cancel leaves the files as they were.

#include "launch/CheckFileExists.h"
#include "options/GroupFile.h"
#include "options/SupportDialog.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel::options {

inline constexpr std::string_view kSelectGroupMessage = "タググループを選択して下さい。";
inline constexpr std::string_view kEqualsInTagNameMessage = "タグ名に「=」は使えません。";

class UserTagEditor {
public:
    // The group files live in `userFolder` (with its trailing "/"); `tell` shows messages.
    UserTagEditor(std::string userFolder, launch::Tell tell);

    // ---- what the page shows
    std::vector<std::string> groupListItems() const;
    int groupIndex() const { return groupIndex_; } // -1: no group selected
    const std::vector<UserTag>& tags() const { return tags_; }
    int tagIndex() const { return tagIndex_; }     // -1: no tag selected
    void selectTag(int index);

    // ---- the editor's state
    const std::vector<std::string>& GroupNames() const { return groupNames_; }
    const std::vector<std::string>& GroupFileLines() const { return groupFileLines_; }
    const std::string& CurrentGroup() const { return currentGroup_; }
    bool GroupListChanged() const { return groupListChanged_; }
    bool TagListChanged() const { return tagListChanged_; }

    // Each showing of the options dialog: the group list from "usertag.lst" (kept from
    // before when the file is missing), no group selected, an empty tag list, both flags
    // cleared.
    void FormShow();

    // A group was selected: the tags shown so far are saved when they changed, then the
    // group's tags are shown. When that save fails, the selection goes back and the
    // changed tags stay shown.
    void ListBoxSetTagGroupClick(int index);

    // ---- groups; the support dialog is filled from the ...Request function and its
    // answer passed to the ...Click function.
    static SupportDialogValues BtnTagGroupAddRequest();
    void BtnTagGroupAddClick(std::string_view supportResult);
    // nullopt: no group selected, no dialog.
    std::optional<SupportDialogValues> BtnTagGroupEditRequest() const;
    void BtnTagGroupEditClick(std::string_view supportResult);
    void BtnTagGroupDelClick();
    void BtnTagGroupUpClick();
    void BtnTagGroupDownClick();

    // ---- tags
    // nullopt when no group is selected, after telling kSelectGroupMessage.
    std::optional<SupportDialogValues> BtnSetTagAddRequest() const;
    void BtnSetTagAddClick(std::string_view supportResult);
    // nullopt: no tag selected, no dialog.
    std::optional<SupportDialogValues> BtnSetTagEditRequest() const;
    void BtnSetTagEditClick(std::string_view supportResult);
    void BtnSetTagDelClick();
    void BtnSetTagUpClick();
    void BtnSetTagDownClick();

    // ---- saving; false when something could not be written (the user has been told
    // and the old file is whole).
    // Writes the shown tags to the file of CurrentGroup when they changed.
    bool SaveCurTagGroupList();
    // When the group list changed: renames the files of renamed groups, then writes
    // "usertag.lst" with every group that has a file (the others are told and left out).
    bool SaveUserTagGroupList();

private:
    struct GroupEntry {
        std::string name;     // as shown
        std::string fileName; // the name its file has on disk until the list is saved
    };

    void say(std::string_view message) const;
    // The group name from a support dialog answer; nullopt (told when it cannot name a
    // file) when nothing is to change.
    std::optional<std::string> acceptedGroupName(std::string_view supportResult) const;
    std::optional<SupportTag> acceptedTag(std::string_view supportResult) const;
    void showGroupFile();
    // Carries the file of a renamed group to its new name; false (told) when it cannot.
    bool renameGroupFile(std::size_t entry);

    std::string userFolder_;
    launch::Tell tell_;

    std::vector<std::string> groupNames_;
    std::vector<std::string> groupFileLines_;
    std::string currentGroup_;
    bool groupListChanged_ = false;
    bool tagListChanged_ = false;

    std::vector<GroupEntry> groups_;
    int groupIndex_ = -1;
    std::vector<UserTag> tags_;
    int tagIndex_ = -1;
    GroupFileContent shownFile_; // how the shown group's file was read
};

} // namespace orvanel::options
