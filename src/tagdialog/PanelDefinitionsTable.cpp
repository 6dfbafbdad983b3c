// The panels of the table page.

#include "tagdialog/PanelDefinitionsBuild.h"

namespace orvanel::paneldefs {

namespace {

// A width or height: switch, spin 1..1000 (Tag 1) and its unit list.
void sizeRow(Children& out, const std::string& key, const std::string& caption, const std::string& attr)
{
    out.push_back(check("OpTag" + key, caption, caption + " (" + attr + "=\"\")"));
    out.push_back(tag(spin("OpVal1" + key, 1, 1000, 100), 1));
    out.push_back(list("OpVal2" + key, unitEntries(), "% : パーセント"));
}

ControlDef table()
{
    Children alignSize{
        check("OpTagTAB_TABLE_ALIGN", "位置", "位置 (ALIGN=\"\")"),
        list("OpVal1TAB_TABLE_ALIGN", {"left : 左", "center : 中", "right :右"}, "center : 中"),
    };
    sizeRow(alignSize, "TAB_TABLE_WIDTH", "幅", "WIDTH");
    sizeRow(alignSize, "TAB_TABLE_HEIGHT", "高さ", "HEIGHT");

    const std::string borderColourClick = "OpTagTAB_TABLE_BORDERCOLORClick";
    return panel("PanelTAB_TABLE_TABLE", "表の作成", 470, 370, {
        group("GroupTabAlignSize", "位置 ・ サイズ", alignSize),
        group("GroupTabBG", "背景", {
            check("OpTagTAB_TABLE_BGCOLOR", "背景色", "背景色 (BGCOLOR=\"\")"),
            edit("OpVal1TAB_TABLE_BGCOLOR"),
            colPicker("OpVal1TAB_TABLE_BGCOLOR"),
            check("OpTagTAB_TABLE_BACKGROUND", "背景画像", "背景画像 (BACKGROUND=\"\")"),
            edit("OpVal1TAB_TABLE_BACKGROUND"),
            refPicker("OpVal1TAB_TABLE_BACKGROUND", 2),
        }),
        group("GroupTAB_CAPTION", "タイトル", {
            onClick(check("OoTagTAB_CAPTION_CAPTION", "タイトル", "タイトル <CAPTION>"),
                    "OoTagTAB_CAPTION_CAPTIONClick"),
            edit("OoVal1TAB_CAPTION_CAPTION"),
            // The alignment goes into the start tag of the caption that the switch above has
            // put into the table, filled in: hence the key of that start tag alone, not the
            // caption button's key, whose template the filled-in caption never holds.
            nested("OpPnlTAB_CAPTION_START", {}, {
                disabled(check("OoTagTAB_CAPTION_ALIGN", "位置(左右)", "位置(左右) (ALIGN=\"\")")),
                disabled(list("OoVal1TAB_CAPTION_ALIGN", alignEntries(), "center : 中")),
                disabled(check("OoTagTAB_CAPTION_VALIGN", "位置(上下)", "位置(上下) (VALIGN=\"\")")),
                disabled(list("OoVal1TAB_CAPTION_VALIGN", {"top : 上", "bottom : 下"}, "top : 上")),
            }),
        }),
        newColumn(group("GroupTabRules", "内枠", {
            check("OpTagTAB_TABLE_CELLSPACING", "太さ"),
            spin("OpVal1TAB_TABLE_CELLSPACING", 0, 0, 0),
            check("OpTagTAB_TABLE_CELLPADDING", "表中のテキストとの間隔", "表中のテキストとの間隔 (CELLPADDING=\"\")"),
            spin("OpVal1TAB_TABLE_CELLPADDING", 0, 0, 0),
            check("OpTagTAB_TABLE_RULES", "表示方法", "表示方法 (RULES=\"\")"),
            list("OpVal1TAB_TABLE_RULES", {"none : なし", "all : 全て", "rows : 行間のみ", "cols : 列間のみ"},
                 "none : なし"),
        })),
        group("GroupTabBorder", "外枠", {
            onClick(checked(check("OpTagTAB_TABLE_BORDER", "太さ")), "OpTagTAB_TABLE_BORDERClick"),
            spin("OpVal1TAB_TABLE_BORDER", 0, 0, 1),
            check("OpTagTAB_TABLE_FRAME", "表示方法", "表示方法 (FRAME=\"\")"),
            list("OpVal1TAB_TABLE_FRAME",
                 {"void : なし", "box : 4辺全て", "hsides : 上下", "vsides : 左右", "above : 上側",
                  "below : 下側", "lhs : 左側", "rhs : 右側"},
                 "void : なし"),
            group("GroupBorderColor", "外枠の色", {
                onClick(check("OpTagTAB_TABLE_BORDERCOLOR", "一色表示", "一色表示 (BORDERCOLOR=\"\")"),
                        borderColourClick),
                edit("OpVal1TAB_TABLE_BORDERCOLOR"),
                colPicker("OpVal1TAB_TABLE_BORDERCOLOR"),
                onClick(check("OpTagTAB_TABLE_BORDERCOLORLIGHT", "立体表示(明)",
                              "立体表示(明) (BORDERCOLORLIGHT=\"\")"),
                        borderColourClick),
                edit("OpVal1TAB_TABLE_BORDERCOLORLIGHT"),
                colPicker("OpVal1TAB_TABLE_BORDERCOLORLIGHT"),
                onClick(check("OpTagTAB_TABLE_BORDERCOLORDARK", "立体表示(暗)",
                              "立体表示(暗) (BORDERCOLORDARK=\"\")"),
                        borderColourClick),
                edit("OpVal1TAB_TABLE_BORDERCOLORDARK"),
                colPicker("OpVal1TAB_TABLE_BORDERCOLORDARK"),
            }),
        }),
    });
}

ControlDef tableRow()
{
    return panel("PanelTAB_TR_TR", "行の設定", 250, 225, {
        group("GroupTrAlign", "テキストの表示位置", {
            check("OpTagTAB_TR_ALIGN", "左右方向", "左右方向 (ALIGN=\"\")"),
            list("OpVal1TAB_TR_ALIGN", alignEntries(), "center : 中"),
            check("OpTagTAB_TR_VALIGN", "上下方向", "上下方向 (VALIGN=\"\")"),
            list("OpVal1TAB_TR_VALIGN", valignEntries(), "middle : 中"),
        }),
        group("GroupTrBG", "背景", {
            check("OpTagTAB_TR_BGCOLOR", "背景色", "背景色 (BGCOLOR=\"\")"),
            edit("OpVal1TAB_TR_BGCOLOR"),
            colPicker("OpVal1TAB_TR_BGCOLOR"),
            check("OpTagTAB_TR_BACKGROUND", "背景画像", "背景画像 (BACKGROUND=\"\")"),
            edit("OpVal1TAB_TR_BACKGROUND"),
            refPicker("OpVal1TAB_TR_BACKGROUND"),
        }),
    });
}

// The data cell and header cell panels are alike: `cell` is "TD" or "TH".
ControlDef tableCell(const std::string& cell, const std::string& caption, const std::string& groupSpan,
                     const std::string& groupAlign, const std::string& groupSize, const std::string& groupBg)
{
    const std::string k = "TAB_" + cell + "_";
    Children size;
    sizeRow(size, k + "WIDTH", "横幅", "WIDTH");
    sizeRow(size, k + "HEIGHT", "縦幅", "HEIGHT");
    size[3] = newColumn(size[3]);  // width and height side by side
    return panel("Panel" + k + cell, caption, 450, 225, {
        group(groupSpan, "セルの結合", {
            check("OpTag" + k + "COLSPAN", "横方向", "横方向 (COLSPAN=\"\")"),
            spin("OpVal1" + k + "COLSPAN", 2, 100, 2),
            check("OpTag" + k + "ROWSPAN", "縦方向", "縦方向 (ROWSPAN=\"\")"),
            spin("OpVal1" + k + "ROWSPAN", 2, 100, 2),
        }),
        newColumn(group(groupAlign, "テキストの位置", {
            check("OpTag" + k + "ALIGN", "左右方向", "左右方向 (ALIGN=\"\")"),
            list("OpVal1" + k + "ALIGN", {}, "center : 中"),
            check("OpTag" + k + "VALIGN", "上下方向", "上下方向 (VALIGN=\"\")"),
            list("OpVal1" + k + "VALIGN", valignEntries(), "middle : 中"),
        })),
        newBand(group(groupSize, "サイズ", size)),
        newBand(group(groupBg, "背景", {
            check("OpTag" + k + "BGCOLOR", "背景色", "背景色 (BGCOLOR=\"\")"),
            edit("OpVal1" + k + "BGCOLOR"),
            colPicker("OpVal1" + k + "BGCOLOR"),
            check("OpTag" + k + "BACKGROUND", "背景画像", "背景画像 (BACKGROUND=\"\")"),
            edit("OpVal1" + k + "BACKGROUND"),
            refPicker("OpVal1" + k + "BACKGROUND"),
        })),
        newColumn(check("OpTag" + k + "NOWRAP", "改行禁止", "改行禁止 (NOWRAP)")),
    });
}

} // namespace

Children tablePanels()
{
    return {
        table(),
        tableRow(),
        tableCell("TD", "データセルの設定", "GroupTdSpan", "GroupTdAlign", "GroupTdSize", "GroupTdBG"),
        tableCell("TH", "ヘッダセルの設定", "GroupSpan", "GroupThAlign", "GroupThSize", "GroupThBG"),
    };
}

} // namespace orvanel::paneldefs
