// The panels of the link and image page and of the list page.

#include "tagdialog/PanelDefinitionsBuild.h"

namespace orvanel::paneldefs {

namespace {

ControlDef linkHref()
{
    return panel("PanelLINK_HREF", "リンクの設定", 300, 95, {
        label("OpTagLINK_HREF_HREF", "リンク先"),
        edit("OpVal1LINK_HREF_HREF"),
        refPicker("OpVal1LINK_HREF_HREF"),
        check("OpTagLINK_HREF_TARGET", "ターゲット", "ターゲット (TARGET=\"\")"),
        list("OpVal1LINK_HREF_TARGET",
             {"_blank : 新ウィンドウ", "_self : 現ウィンドウ", "top : 新ウィンドウ(フレーム解除)",
              "_top : 現ウィンドウ(フレーム解除)"},
             {}),
    });
}

ControlDef linkName()
{
    return panel("PanelLINK_NAME", "アンカーの設定", 230, 65, {
        label("OpTagLINK_NAME_NAME", "アンカー名"),
        edit("OpVal1LINK_NAME_NAME"),
    });
}

ControlDef linkMail()
{
    return panel("PanelLINK_MAIL", "メールの送信先", 230, 65, {
        label("OpTagLINK_MAIL_MAIL", "メールアドレス"),
        edit("OpVal1LINK_MAIL_MAIL"),
    });
}

ControlDef linkImg()
{
    return panel("PanelLINK_IMG", "画像の設定", 300, 245, {
        label("OpTagLINK_IMG_SRC", "画像ファイル"),
        edit("OpVal1LINK_IMG_SRC"),
        refPicker("OpVal1LINK_IMG_SRC", 2),
        check("OpTagLINK_IMG_ALT", "代替テキスト", "代替テキスト (ALT=\"\")"),
        edit("OpVal1LINK_IMG_ALT"),
        group("GroupImgSize", "サイズ", {
            check("OpTagLINK_IMG_WIDTH", "横幅", "横幅 (WIDTH=\"\")"),
            spin("OpVal1LINK_IMG_WIDTH", 0, 1000, 0),
            newColumn(check("OpTagLINK_IMG_HEIGHT", "縦幅", "縦幅 (HEIGHT=\"\")")),
            spin("OpVal1LINK_IMG_HEIGHT", 0, 1000, 0),
        }),
        check("OpTagLINK_IMG_BORDER", "境界線の太さ", "境界線の太さ (BORDER=\"\")"),
        spin("OpVal1LINK_IMG_BORDER", 0, 0, 0),
        check("OpTagLINK_IMG_ALIGN", "配置", "テキストの配置 (ALIGN=\"\")"),
        list("OpVal1LINK_IMG_ALIGN",
             {"top : テキストを上に", "middle : テキストを中央に", "bottom : テキストを下に",
              "left : 画像を左に配置", "right : 画像を右に配置"},
             "top : テキストを上に"),
        group("GroupImgSpace", "画像の周りのスペース", {
            check("OpTagLINK_IMG_VSPACE", "上下", "上下 (VSPACE=\"\")"),
            spin("OpVal1LINK_IMG_VSPACE", 0, 1000, 0),
            newColumn(check("OpTagLINK_IMG_HSPACE", "左右", "左右 (HSPACE=\"\")")),
            spin("OpVal1LINK_IMG_HSPACE", 0, 1000, 0),
        }),
    });
}

ControlDef listUl()
{
    return panel("PanelLIST_UL", "マーク付きリストの設定", 190, 75, {
        label("OpTagLIST_UL_TYPE", "マークの種類", "マークの種類 (TYPE=\"\")"),
        list("OpVal1LIST_UL_TYPE", {"指定なし", "circle : ○", "disc : ●", "square : ■"}, "指定なし"),
        label("OpTagLIST_UL_LI", "項目の数"),
        tag(spin("OpVal1LIST_UL_LI", 1, 100, 1), 2),
    });
}

ControlDef listOl()
{
    return panel("PanelLIST_OL", "番号付きリストの設定", 280, 75, {
        label("OpTagLIST_OL_TYPE", "マークの種類", "マークの種類 (TYPE=\"\")"),
        list("OpVal1LIST_OL_TYPE",
             {"1 : 数字 ( 1 , 2 )", "I : ローマ数字大文字 ( I , II )", "i : ローマ数字小文字 ( i , ii )",
              "A : 英大文字 ( A , B )", "a : 英小文字 ( a , b )"},
             "1 : 数字 ( 1 , 2 )"),
        newBand(label("OpTagLIST_OL_LI", "項目の数")),
        tag(spin("OpVal1LIST_OL_LI", 1, 100, 1), 2),
        newColumn(check("OpTagLIST_OL_START", "初期値", "初期値 (START=\"\")")),
        spin("OpVal1LIST_OL_START", 1, 100, 1),
    });
}

} // namespace

Children linkListPanels()
{
    return {linkHref(), linkName(), linkMail(), linkImg(), listUl(), listOl()};
}

} // namespace orvanel::paneldefs
