#include "catalogue/TagButtons.h"

#include <array>

namespace orvanel::catalogue {

namespace {

constexpr std::array<TagPage, 9> kPages{{
    {"TabDoc", "ﾄﾞｷｭﾒﾝﾄ", "BarDoc"},
    {"TabLayout", "ﾚｲｱｳﾄ", "BarLayout"},
    {"TabHeader", "見出し", "BarHeader"},
    {"TabMoji", "文字", "BarMoji"},
    {"TabTable", "表", "BarTab"},
    {"TabLink", "ﾘﾝｸ・画像", "BarLink"},
    {"TabList", "ﾘｽﾄ", "BarList"},
    {"TabFrame", "ﾌﾚｰﾑ", "BarFrame"},
    {"TabForm", "ﾌｫｰﾑ", "BarForm"},
}};

constexpr TagButtonKind T = TagButtonKind::Tag;
constexpr TagButtonKind G = TagButtonKind::Group;

struct Row {
    int page;
    bool separatorBefore;
    std::string_view key;
    TagButtonKind kind;
    bool dropDown;
    std::string_view hint;
};

// In page order; a true second column marks a separator in front of the button.
constexpr std::array<Row, 67> kRows{{
    {0, false, "DOC_KIHON", G, false, "新規ドキュメント"},
    {0, true, "DOC_HTML", T, false, "ドキュメントタイプ <HTML>"},
    {0, false, "DOC_HEAD", T, false, "ヘッダ <HEAD>"},
    {0, false, "DOC_TITLE", T, false, "タイトル <TITLE>"},
    {0, false, "DOC_BODY_BODY", G, false, "ボディ <BODY>"},
    {0, true, "DOC_ADDRESS", T, false, "アドレス <ADDRESS>"},
    {0, false, "DOC_COMENT", T, false, "コメント <!-- -->"},

    {1, false, "LAYOUT_BR", T, false, "改行 <BR>"},
    {1, false, "LAYOUT_WBR", T, false, "改行許可 <WBR>"},
    {1, false, "LAYOUT_NOBR", T, false, "改行禁止 <NOBR>"},
    {1, true, "LAYOUT_P_P", T, true, "段落 <P>"},
    {1, false, "LAYOUT_PRE", T, false, "整形済みテキスト <PRE>"},
    {1, false, "LAYOUT_BLOCKQUOTE", T, false, "引用 <BLOCKQUOTE>"},
    {1, true, "LAYOUT_CENTER", T, false, "センタリング <CENTER>"},
    {1, false, "LAYOUT_DIV_LEFT", T, false, "左寄せ <DIV align=\"left\">"},
    {1, false, "LAYOUT_DIV_CENTER", T, false, "中央寄せ <DIV align=\"center\">"},
    {1, false, "LAYOUT_DIV_RIGHT", T, false, "右寄せ <DIV align=\"right\">"},
    {1, true, "LAYOUT_HR", T, false, "水平線 <HR>"},
    {1, false, "LAYOUT_HR_HR", G, false, "水平線（詳細） <HR>"},

    {2, false, "LAYOUT_H_H1", T, true, "レベル1 <H1>"},
    {2, false, "LAYOUT_H_H2", T, true, "レベル2 <H2>"},
    {2, false, "LAYOUT_H_H3", T, true, "レベル3 <H3>"},
    {2, false, "LAYOUT_H_H4", T, true, "レベル4 <H4>"},
    {2, false, "LAYOUT_H_H5", T, true, "レベル5 <H5>"},
    {2, false, "LAYOUT_H_H6", T, true, "レベル6 <H6>"},

    {3, false, "MOJI_FONT_FONT", G, false, "フォントの設定"},
    {3, true, "MOJI_B", T, false, "太字 <B>"},
    {3, false, "MOJI_I", T, false, "斜体 <I>"},
    {3, false, "MOJI_U", T, false, "下線 <U>"},
    {3, false, "MOJI_S", T, false, "取り消し線 <S>"},
    {3, false, "MOJI_TT", T, false, "等幅フォント <TT>"},
    {3, true, "MOJI_SUP", T, false, "上付添字 <SUP>"},
    {3, false, "MOJI_SUB", T, false, "下付添字 <SUB>"},
    {3, false, "MOJI_BIG", T, false, "大きく表示 <BIG>"},
    {3, false, "MOJI_SMALL", T, false, "小さく表示 <SMALL>"},
    {3, true, "MOJI_TOKUSYU_GT", T, false, "特殊文字 > (&gt;)"},
    {3, false, "MOJI_TOKUSYU_LT", T, false, "特殊文字 < (&lt;)"},
    {3, false, "MOJI_TOKUSYU_AMP", T, false, "特殊文字 & (&amp;)"},
    {3, false, "MOJI_TOKUSYU_QUOT", T, false, "特殊文字 \" (&quot;)"},

    {4, false, "TAB_TABLE_TABLE", G, false, "表の作成 <TABLE>"},
    {4, true, "TAB_TR_TR", G, false, "行 <TR>"},
    {4, false, "TAB_TD_TD", G, false, "データセル <TD>"},
    {4, false, "TAB_TH_TH", G, false, "見出しセル <TH>"},
    {4, false, "TAB_CAPTION", T, false, "タイトル <CAPTION>"},

    {5, false, "LINK_HREF", G, false, "リンク <A HREF=\"\">"},
    {5, false, "LINK_NAME", G, false, "アンカー <A NAME=\"\">"},
    {5, false, "LINK_BASE", T, false, "ベースターゲット <BASE TARGET=\"\">"},
    {5, false, "LINK_MAIL", G, false, "メール <A HREF=\"mailto:\">"},
    {5, true, "LINK_IMG", G, false, "画像 <IMG SRC=\"\">"},

    {6, false, "LIST_UL", G, false, "マーク付きリスト <UL>"},
    {6, false, "LIST_OL", G, false, "番号付きリスト <OL>"},
    {6, false, "LIST_DL", T, false, "定義型リスト <DL>"},
    {6, true, "LIST_LI", T, false, "リスト項目の追加 <LI>"},
    {6, false, "LIST_DT", T, false, "リスト項目（定義）の追加 <DT>"},
    {6, false, "LIST_DD", T, false, "リスト項目（意味）の追加 <DD>"},

    {7, false, "FRAME_FRAMESET", G, false, "フレーム定義 <FRAMESET>"},
    {7, true, "FRAME_NOFRAMES", T, false, "フレーム未対応 <NOFRAMES>"},
    {7, false, "FRAME_IFRAME", T, false, "独立フレーム <IFRAME SRC=\"\">"},

    {8, false, "FORM_FORM", G, false, "フォーム領域 <FORM>"},
    {8, true, "FORM_TEXTAREA", G, false, "複数行入力\u3000<TEXTAREA>"},
    {8, false, "FORM_INPUT", G, false, "１行入力 <INPUT TYPE=\"\">"},
    {8, false, "FORM_BUTTON", G, false, "ボタン <INPUT TYPE=\"\">"},
    {8, false, "FORM_RADIOBUTTON", G, false, "ラジオボタン <INPUT TYPE=\"radio\">"},
    {8, false, "FORM_CHECKBOX", G, false, "チェックボックス <INPUT TYPE=\"checkbox\">"},
    {8, false, "FORM_COMBOBOX", G, false, "コンボボックス <SELECT SIZE=\"1\">"},
    {8, false, "FORM_LISTBOX", G, false, "リストボックス <SELECT>"},
    {8, false, "FORM_HIDDEN", G, false, "隠しフィールド <INPUT TYPE=\"hidden\">"},
}};

constexpr std::array<TagButton, 67> makeButtons()
{
    std::array<TagButton, 67> buttons{};
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const Row& r = kRows[i];
        buttons[i] = TagButton{r.key, r.hint, r.kind, r.dropDown, r.separatorBefore, r.page,
                               static_cast<int>(i)};
    }
    return buttons;
}

constexpr std::array<TagButton, 67> kButtons = makeButtons();

constexpr std::array<AlignOption, 3> kAlignOptions{{
    {"OPTION_ALIGN_LEFT", "左 (ALIGN=\"letf\")"},
    {"OPTION_ALIGN_CENTER", "中 (ALIGN=\"center\")"},
    {"OPTION_ALIGN_RIGHT", "右 (ALIGN=\"right\")"},
}};

} // namespace

std::span<const TagPage> tagPages() { return kPages; }
std::span<const TagButton> tagButtons() { return kButtons; }
std::span<const AlignOption> alignOptions() { return kAlignOptions; }

const TagButton* findTagButton(std::string_view key)
{
    for (const TagButton& b : kButtons)
        if (b.key == key)
            return &b;
    return nullptr;
}

} // namespace orvanel::catalogue
