// The panels of the frame page and of the form page.

#include "tagdialog/PanelDefinitionsBuild.h"

namespace orvanel::paneldefs {

namespace {

// A switch with a plain edit value "OpVal1" + key.
void editRow(Children& out, const std::string& key, const std::string& caption, const std::string& hint,
             const std::string& initial = {})
{
    out.push_back(check("OpTag" + key, caption, hint));
    out.push_back(edit("OpVal1" + key, initial));
}

ControlDef grid(std::string name, std::vector<GridColumn> columns, std::vector<std::vector<std::string>> cells)
{
    ControlDef d = make(ControlKind::Grid, std::move(name));
    d.gridColumns = std::move(columns);
    d.gridRows = static_cast<int>(cells.size()) - 1;
    d.cells = std::move(cells);
    return d;
}

ControlDef frameset()
{
    const std::string f = "FRAME_FRAMESET_FRAME";
    return panel("PanelFRAME_FRAMESET", "フレーム定義", 490, 385, {
        tag(radio("OpTagFRAME_FRAMESET_BUNKATSU", "分割方法", {"COLS : 縦分割", "ROWS : 横分割"}, 0, 2), 1),
        tag(label("OpTagFRAME_FRAMESET_BUNKATSU_OP", "分割サイズ"), 3),
        rowOf(edit("OpVal1FRAME_FRAMESET_BUNKATSU", "50%,50%"), "OpTagFRAME_FRAMESET_BUNKATSU_OP"),
        tag(label("OpTag" + f + "_NUM", "アイテムの数"), 3),
        onChange(spin("OpVal1" + f + "_NUM", 1, 100, 2), "OpVal1" + f + "_NUMChange"),
        newColumn(group("GroupFramesetBorder", "境界線", {
            check("OpTagFRAME_FRAMESET_BORDER", "太さ", "太さ (BORDER=\"\")"),
            spin("OpVal1FRAME_FRAMESET_BORDER", 0, 100, 0),
            check("OpTagFRAME_FRAMESET_FRAMEBORDER", "表示タイプ"),
            list("OpVal1FRAME_FRAMESET_FRAMEBORDER", {"0 : 平面的", "1 : 立体的"}, "0 : 平面的"),
            check("OpTagFRAME_FRAMESET_BORDERCOLOR", "色", "色 (BORDERCOLOR=\"\")"),
            edit("OpVal1FRAME_FRAMESET_BORDERCOLOR"),
            colPicker("OpVal1FRAME_FRAMESET_BORDERCOLOR"),
        })),
        newBand(group("GroupFramesetFrame", "フレーム", {
            nested("OpPnl" + f, {}, {
                onClick(grid("OpTag" + f,
                             {{"No.", 20}, {"フレーム名", 100}, {"表示ページ", 145}, {"scroll", 35},
                              {"size変更", 60}, {"size", 35}},
                             {{"No.", "フレーム名", "表示ページ", "scroll", "size変更", "size"},
                              {"1", "", "", "", "", "50%"},
                              {"2", "", "", "", "", "50%"}}),
                        "OpTag" + f + "Click"),
                newBand(tag(label("OpTag" + f + "_NAME", "フレーム名"), 3)),
                onChange(edit("OpVal1" + f + "_NAME"), "OpVal1" + f + "_NAMEChange"),
                tag(label("OpTag" + f + "_SRC", "表示ページ"), 3),
                onChange(edit("OpVal1" + f + "_SRC"), "OpVal1" + f + "_SRCChange"),
                refPicker("OpVal1" + f + "_SRC"),
                tag(label("OpTag" + f + "_SCROLL", "スクロール"), 3),
                onChange(list("OpVal1" + f + "_SCROLL", {"指定なし", "auto : 自動", "yes : あり", "no : なし"},
                              "指定なし"),
                         "OpVal1" + f + "_SCROLLChange"),
                newColumn(onClick(tag(checked(check("OpTag" + f + "_SIZE", "分割サイズ")), 3),
                                  "OpTag" + f + "_SIZEClick")),
                onChange(spin("OpVal1" + f + "_SIZE", 0, 1000, 50), "OpVal1" + f + "_SIZEChange"),
                onChange(list("OpVal2" + f + "_SIZE", unitEntries(), "% : パーセント"),
                         "OpVal2" + f + "_SIZEChange"),
                onClick(check("OpTag" + f + "_SIZECHANGE", "サイズ変更不可"), "OpTag" + f + "_SIZECHANGEClick"),
            }),
        })),
    });
}

ControlDef formForm()
{
    return panel("PanelFORM_FORM", "フォーム領域", 250, 75, {
        check("OpTagFORM_FORM_ACTION", "アクション", "アクション (ACTION=\"\")"),
        edit("OpVal1FORM_FORM_ACTION", "mailto:"),
        check("OpTagFORM_FORM_METHOD", "メソッド", "メソッド (METHOD=\"\")"),
        list("OpVal1FORM_FORM_METHOD", {"post : 標準入出力", "get : 環境変数"}, "post : 標準入出力"),
    });
}

ControlDef formTextarea()
{
    Children c;
    editRow(c, "FORM_TEXTAREA_NAME", "フィールド名", "フィールド名 (NAME=\"\")");
    c.push_back(group("GroupTextAreaSize", "サイズ", {
        // COLS counts characters across and ROWS lines down: each caption says which.
        newColumn(check("OpTagFORM_TEXTAREA_COLS", "桁数", "桁数 (COLS=\"\")")),
        spin("OpVal1FORM_TEXTAREA_COLS", 0, 100, 1),
        newColumn(check("OpTagFORM_TEXTAREA_ROWS", "行数", "行数 (ROWS=\"\")")),
        spin("OpVal1FORM_TEXTAREA_ROWS", 0, 100, 1),
    }));
    c.push_back(check("OpTagFORM_TEXTAREA_WRAP", "自動改行", "自動改行 (WRAP=\"\")"));
    c.push_back(list("OpVal1FORM_TEXTAREA_WRAP",
                     {"off : 自動改行なし", "soft : 自動改行(画面上のみ)", "hard : 自動改行(送信時も)"},
                     "off : 自動改行なし"));
    return panel("PanelFORM_TEXTAREA", "複数行入力フィールド", 275, 140, std::move(c));
}

ControlDef formInput()
{
    Children c{
        label("OpTagFORM_INPUT_TYPE", "種類", "種類 (TYPE=\"\")"),
        list("OpVal1FORM_INPUT_TYPE", {"text : テキスト", "password : パスワード"}, "text : テキスト"),
    };
    editRow(c, "FORM_INPUT_NAME", "フィールド名", "フィールド名 (NAME=\"\")");
    editRow(c, "FORM_INPUT_VALUE", "表示テキスト", "表示テキスト (VALUE=\"\")");
    c.push_back(check("OpTagFORM_INPUT_SIZE", "サイズ", "サイズ (SIZE=\"\")"));
    c.push_back(spin("OpVal1FORM_INPUT_SIZE", 0, 1000, 0));
    c.push_back(check("OpTagFORM_INPUT_MAXLENGTH", "最大文字数"));
    c.push_back(spin("OpVal1FORM_INPUT_MAXLENGTH", 0, 1000, 0));
    return panel("PanelFORM_INPUT", "１行入力フィールド", 290, 155, std::move(c));
}

ControlDef formButton()
{
    Children c{
        label("OpTagFORM_BUTTON_TYPE", "種類", "種類 (TYPE=\"\")"),
        list("OpVal1FORM_BUTTON_TYPE", {"button : 標準", "submit : 送信", "reset : リセット"}, "button : 標準"),
    };
    editRow(c, "FORM_BUTTON_NAME", "フィールド名", "フィールド名 (NAME=\"\")");
    editRow(c, "FORM_BUTTON_VALUE", "表示文字", "表示文字 (VALUE=\"\")");
    return panel("PanelFORM_BUTTON", "ボタン", 270, 105, std::move(c));
}

// The radio button and check box panels hold the same three switches.
ControlDef formChoice(const std::string& kind, const std::string& caption)
{
    const std::string k = "FORM_" + kind + "_";
    Children c;
    editRow(c, k + "NAME", "フィールド名", "フィールド名 (NAME=\"\")");
    editRow(c, k + "VALUE", "送信文字", "送信文字 (VALUE=\"\")");
    c.push_back(check("OpTag" + k + "CHECKED", "チェック", "チェック (CHECKED)"));
    return panel("Panel" + k.substr(0, k.size() - 1), caption, 270, 105, std::move(c));
}

// The option grid of a combo box or list box with its editors; `kind` is COMBOBOX or LISTBOX.
ControlDef optionPanel(const std::string& kind)
{
    const std::string o = "FORM_" + kind + "_OPTION";
    return nested("OpPnl" + o, {}, {
        onClick(grid("OpTag" + o, {{"No.", 20}, {"表示文字", 145}, {"送信文字", 145}, {"初期選択", 60}},
                     {{"No.", "表示文字", "送信文字", "初期選択"}, {"1", "", "", ""}}),
                "OpTag" + o + "Click"),
        newBand(tag(label("OpTag" + o + "_SEL", "表示文字"), 3)),
        onChange(edit("OpVal1" + o + "_SEL"), "OpVal1" + o + "_SELChange"),
        tag(label("OpTag" + o + "_VALUE", "送信文字"), 3),
        onChange(edit("OpVal1" + o + "_VALUE"), "OpVal1" + o + "_VALUEChange"),
        newColumn(tag(label("OpTag" + o + "_NUM", "アイテムの数"), 3)),
        onChange(spin("OpVal1" + o + "_NUM", 1, 100, 1), "OpVal1" + o + "_NUMChange"),
        onClick(tag(check("OpTag" + o + "_SELECTED", "初期選択"), 3), "OpTag" + o + "_SELECTEDClick"),
    });
}

ControlDef formCombobox()
{
    Children c;
    editRow(c, "FORM_COMBOBOX_NAME", "フィールド名", "フィールド名 (NAME=\"\")");
    c.push_back(group("GroupComoboxOption", "選択アイテム", {optionPanel("COMBOBOX")}));
    return panel("PanelFORM_COMBOBOX", "コンボボックス", 445, 245, std::move(c));
}

ControlDef formListbox()
{
    Children c{
        label("OpTagFORM_LISTBOX_SIZE", "表示行数", "表示行数 (SIZE=\"\")"),
        spin("OpVal1FORM_LISTBOX_SIZE", 1, 100, 1),
    };
    editRow(c, "FORM_LISTBOX_NAME", "フィールド名", "フィールド名 (NAME=\"\")");
    c.push_back(check("OpTagFORM_LISTBOX_MULTIPLE", "複数選択可", "複数選択可 (MULTIPLE)"));
    c.push_back(group("GroupListboxOption", "選択アイテム", {optionPanel("LISTBOX")}));
    return panel("PanelFORM_LISTBOX", "リストボックス", 445, 280, std::move(c));
}

ControlDef formHidden()
{
    Children c;
    editRow(c, "FORM_HIDDEN_NAME", "フィールド名", "フィールド名 (NAME=\"\")");
    editRow(c, "FORM_HIDDEN_VALUE", "送信文字", "送信文字 (VALUE=\"\")");
    return panel("PanelFORM_HIDDEN", "隠しフィールド", 270, 75, std::move(c));
}

} // namespace

Children frameFormPanels()
{
    return {
        frameset(),
        formForm(),
        formTextarea(),
        formInput(),
        formButton(),
        formChoice("RADIOBUTTON", {}),
        formChoice("CHECKBOX", "チェックボックス"),
        formCombobox(),
        formListbox(),
        formHidden(),
    };
}

} // namespace orvanel::paneldefs
