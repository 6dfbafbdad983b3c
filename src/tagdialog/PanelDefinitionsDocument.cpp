// The panels of the document, layout and character pages.

#include "tagdialog/PanelDefinitionsBuild.h"

namespace orvanel::paneldefs {

namespace {

// A colour switch with its edit and colour picker: "<prefix>Tag<key>", "<val>1<key>", "Col...".
void colourRow(Children& out, const std::string& tagPrefix, const std::string& valPrefix,
               const std::string& key, const std::string& caption, const std::string& attr,
               int pickerTag, std::string handler = {})
{
    ControlDef sw = check(tagPrefix + key, caption, caption + " (" + attr + "=\"\")");
    sw.onClick = std::move(handler);
    out.push_back(std::move(sw));
    out.push_back(edit(valPrefix + key));
    out.push_back(colPicker(valPrefix + key, pickerTag));
}

Children bodyColours(const std::string& tagPrefix, const std::string& valPrefix, int pickerTag)
{
    Children c;
    colourRow(c, tagPrefix, valPrefix, "DOC_BODY_BGCOLOR", "背景色", "BGCOLOR", pickerTag);
    colourRow(c, tagPrefix, valPrefix, "DOC_BODY_TEXT", "文字色", "TEXT", pickerTag);
    colourRow(c, tagPrefix, valPrefix, "DOC_BODY_LINK", "リンク色", "LINK", pickerTag);
    colourRow(c, tagPrefix, valPrefix, "DOC_BODY_ALINK", "クリック時のリンク色", "ALINK", pickerTag);
    colourRow(c, tagPrefix, valPrefix, "DOC_BODY_VLINK", "アクセス済みのリンク色", "VLINK", pickerTag);
    return c;
}

Children backgroundImage(const std::string& tagPrefix, const std::string& valPrefix, int pickerTag)
{
    return {
        onClick(check(tagPrefix + "DOC_BODY_BACKGROUND", "使用する", "背景画像 (BACKGROUND=\"\")"),
                "OpTagDOC_BODY_BACKGROUNDClick"),
        edit(valPrefix + "DOC_BODY_BACKGROUND"),
        refPicker(valPrefix + "DOC_BODY_BACKGROUND", pickerTag),
        disabled(check(tagPrefix + "DOC_BODY_BGFIXED", "画像を固定する",
                       "画像を固定する (BGPROPERTIES=FIXED)")),
    };
}

ControlDef docKihon()
{
    return panel("PanelDOC_KIHON", "新規ドキュメント", 360, 380, {
        label("OpTagDOC_TITLE", "タイトル", "タイトル <TITLE>"),
        edit("OpVal1DOC_TITLE"),
        nested("OpPnlDOC_BODY_BODY", "ボディーの設定", {
            group("GroupOpBackGround", "背景画像", backgroundImage("OoTag", "OoVal1", 2)),
            group("GroupOpBodyColor", "色設定", bodyColours("OoTag", "OoVal1", 0)),
            check("OoTagDOC_BASEFONT", "基本フォントサイズ", "基本フォントサイズ <BASEFONT SIZE=\"\">"),
            list("OoVal1DOC_BASEFONT", {"7", "6", "5", "4", "3 : 標準", "2", "1"}, "3 : 標準"),
            check("OoTagDOC_BGSOUND", "BGM", "BGM <BGSOUND SRC=\"\">"),
            edit("OoVal1DOC_BGSOUND"),
        }),
        nested("OpPnlDOC_META", {}, {
            checked(check("OoTagDOC_META_EDITOR", "エディタ名を挿入する")),
        }),
    });
}

ControlDef docBody()
{
    return panel("PanelDOC_BODY_BODY", "ボディーの設定", 360, 270, {
        group("GroupBackGround", "背景画像", backgroundImage("OpTag", "OpVal1", 0)),
        group("GroupBodyColor", "色設定", bodyColours("OpTag", "OpVal1", 2)),
    });
}

ControlDef layoutHr()
{
    return panel("PanelLAYOUT_HR_HR", "水平線（詳細）", 240, 160, {
        check("OpTagLAYOUT_HR_SIZE", "太さ", "太さ (SIZE=\"\")"),
        spin("OpVal1LAYOUT_HR_SIZE", 0, 1000, 3),
        check("OpTagLAYOUT_HR_WIDTH", "長さ", "長さ (WIDTH=\"\")"),
        tag(spin("OpVal1LAYOUT_HR_WIDTH", 0, 1000, 100), 1),
        list("OpVal2LAYOUT_HR_WIDTH", unitEntries(), "% : パーセント"),
        check("OpTagLAYOUT_HR_ALIGN", "位置", "位置 (ALIGN=\"\")"),
        list("OpVal1LAYOUT_HR_ALIGN", alignEntries(), "center : 中"),
        check("OpTagLAYOUT_HR_NOSHADE", "影を消す", "影を消す (NOSHADE)"),
        check("OpTagLAYOUT_HR_COLOR", "色を付ける", "色を付ける (COLOR=\"\")"),
        edit("OpVal1LAYOUT_HR_COLOR"),
        colPicker("OpVal1LAYOUT_HR_COLOR"),
    });
}

ControlDef mojiFont()
{
    return panel("PanelMOJI_FONT_FONT", "フォントの設定", 275, 250, {
        radio("OpTagMOJI_FONT_SIZE", "サイズ",
              {"7", "6", "5", "4", "3 : 標準", "2", "1", "指定なし", "+3", "+2", "+1", "-1", "-2", "-3"},
              7, 2),
        check("OpTagMOJI_FONT_COLOR", "色指定"),
        edit("OpVal1MOJI_FONT_COLOR"),
        colPicker("OpVal1MOJI_FONT_COLOR"),
        check("OpTagMOJI_FONT_FACE", "書体"),
        edit("OpVal1MOJI_FONT_FACE"),
        group("GroupMoji", {}, {
            check("OpTagMOJI_B", "太字", "太字 <B>"),
            check("OpTagMOJI_I", "斜体", "斜体 <I>"),
            check("OpTagMOJI_U", "下線", "下線 <U>"),
            check("OpTagMOJI_S", "取消線", "取消線 <S>"),
        }),
    });
}

} // namespace

Children documentPanels()
{
    return {docKihon(), docBody(), layoutHr(), mojiFont()};
}

} // namespace orvanel::paneldefs
