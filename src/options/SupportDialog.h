#pragma once
// The input support dialog (TSupportDialogForm, "入力支援ダイアログ") as values: it asks
// for a group name, or for a tag's name and the two halves of its template, and answers
// with one text, SupportResult. A template is its first half, "%SEL%" and its second
// half; each half is the lines of its memo joined with "%CR%".

#include <optional>
#include <string>
#include <string_view>

namespace orvanel::options {

enum class SupportPanelId { PnlSetTagGroup, PnlSetTag };

// The panel's hint, which becomes the dialog's caption.
std::string_view supportPanelHint(SupportPanelId panel);

// What the dialog's controls hold. The memos' texts separate their lines with "\n".
struct SupportDialogValues {
    SupportPanelId SupportPanel = SupportPanelId::PnlSetTagGroup;
    std::string EditTagGroupName;
    std::string EditTagName;
    std::string MemoTagPre;
    std::string MemoTagPos;
};

// The dialog's OK: the group name, or the tag's name, ";", the first half, "%SEL%" and
// the second half.
std::string OkBtnClick(const SupportDialogValues& values);

// A memo's lines joined with "%CR%"; a final line break ends the last line and starts no
// empty one.
std::string joinMemoLines(std::string_view memoText);
// The memo text that joinMemoLines turns back into `half`: its pieces between "%CR%"
// (any letter case) as lines.
std::string memoTextOf(std::string_view half);

// The tag panel filled for editing a tag: the template split at its first "%SEL%" (any
// letter case) into the two memos. A template without "%SEL%" goes whole into the first
// memo, so nothing of it is lost; OK then puts "%SEL%" after it.
SupportDialogValues tagPanelFor(std::string_view name, std::string_view tagTemplate);

// The answer of the tag panel split at its first ";": the name before it and the
// template after it. nullopt when the name is empty (a cancelled dialog answers the empty
// text): nothing is to change.
struct SupportTag {
    std::string name;
    std::string tagTemplate;
};
std::optional<SupportTag> splitSupportResult(std::string_view supportResult);

} // namespace orvanel::options
