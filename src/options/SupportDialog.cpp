#include "options/SupportDialog.h"

#include "text/Lines.h"
#include "text/TextOps.h"

namespace orvanel::options {

namespace {

constexpr std::string_view Sel = "%SEL%";
constexpr std::string_view Cr = "%CR%";

} // namespace

std::string_view supportPanelHint(SupportPanelId panel)
{
    return panel == SupportPanelId::PnlSetTagGroup ? "タグのグループ名" : "タグの編集";
}

std::string OkBtnClick(const SupportDialogValues& values)
{
    if (values.SupportPanel == SupportPanelId::PnlSetTagGroup)
        return values.EditTagGroupName;
    return values.EditTagName + ";" + joinMemoLines(values.MemoTagPre) + std::string(Sel)
        + joinMemoLines(values.MemoTagPos);
}

std::string joinMemoLines(std::string_view memoText)
{
    std::string half;
    bool first = true;
    for (const std::string& line : text::splitLines(memoText)) {
        if (!first)
            half += Cr;
        half += line;
        first = false;
    }
    return half;
}

std::string memoTextOf(std::string_view half)
{
    if (half.empty())
        return {};
    std::string memo;
    std::size_t from = 0;
    for (std::size_t cr = text::findMarker(half, Cr, 0, true); cr != text::npos;
         cr = text::findMarker(half, Cr, from, true)) {
        memo.append(half.substr(from, cr - from));
        memo += '\n';
        from = cr + Cr.size();
    }
    memo.append(half.substr(from));
    // A last empty line needs a line break of its own, as a final one ends the line before.
    if (from == half.size())
        memo += '\n';
    return memo;
}

SupportDialogValues tagPanelFor(std::string_view name, std::string_view tagTemplate)
{
    SupportDialogValues values;
    values.SupportPanel = SupportPanelId::PnlSetTag;
    values.EditTagName = std::string(name);
    const std::size_t sel = text::findMarker(tagTemplate, Sel, 0, true);
    if (sel == text::npos) {
        values.MemoTagPre = memoTextOf(tagTemplate);
        return values;
    }
    values.MemoTagPre = memoTextOf(tagTemplate.substr(0, sel));
    values.MemoTagPos = memoTextOf(tagTemplate.substr(sel + Sel.size()));
    return values;
}

std::optional<SupportTag> splitSupportResult(std::string_view supportResult)
{
    const std::size_t semicolon = supportResult.find(';');
    const std::string_view name = supportResult.substr(0, semicolon);
    if (name.empty())
        return std::nullopt;
    SupportTag tag;
    tag.name = std::string(name);
    if (semicolon != std::string_view::npos)
        tag.tagTemplate = std::string(supportResult.substr(semicolon + 1));
    return tag;
}

} // namespace orvanel::options
