#!/usr/bin/python3
"""Writes the built-in tag lists TagMList.lst and TagBList.lst (CP932, CR LF).

The templates are kept here once, so that a tag button and its tag menu leaf always insert
the same text. Run it from anywhere; it writes beside itself:
    python3 data/make-taglists.py
TagBList.lst also holds the attribute entries of the tag dialog, which are written by hand:
the script keeps every line whose key it does not generate itself.
It stops with an error when a character has no CP932 form.

Template conventions (HTML 4.01 Transitional, upper-case tags; the palette's letter case
setting converts them): "%SEL%" is the selected text, "%CR%" a line break. Block elements end
with "%CR%"; empty elements (BR, HR, IMG, INPUT) and character references come first and keep
the selection after them, so that nothing selected is lost and the caret ends after it.
"""

import os

DOCTYPE = '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">'

# Tag buttons: key -> (entry group, template).
BUTTONS = {
    "DOC_HTML": ("HTML", DOCTYPE + "%CR%<HTML>%CR%%SEL%%CR%</HTML>%CR%"),
    "DOC_HEAD": ("HEAD", "<HEAD>%CR%%SEL%%CR%</HEAD>%CR%"),
    "DOC_TITLE": ("TITLE", "<TITLE>%SEL%</TITLE>%CR%"),
    "DOC_ADDRESS": ("ADDRESS", "<ADDRESS>%SEL%</ADDRESS>%CR%"),
    "DOC_COMENT": ("", "<!-- %SEL% -->"),
    "LAYOUT_BR": ("BR", "<BR>%CR%%SEL%"),
    "LAYOUT_WBR": ("WBR", "<WBR>%SEL%"),
    "LAYOUT_NOBR": ("NOBR", "<NOBR>%SEL%</NOBR>"),
    "LAYOUT_P_P": ("P", "<P>%SEL%</P>%CR%"),
    "LAYOUT_PRE": ("PRE", "<PRE>%CR%%SEL%%CR%</PRE>%CR%"),
    "LAYOUT_BLOCKQUOTE": ("BLOCKQUOTE", "<BLOCKQUOTE>%CR%%SEL%%CR%</BLOCKQUOTE>%CR%"),
    "LAYOUT_CENTER": ("CENTER", "<CENTER>%SEL%</CENTER>%CR%"),
    "LAYOUT_DIV_LEFT": ("DIV", '<DIV ALIGN="left">%SEL%</DIV>%CR%'),
    "LAYOUT_DIV_CENTER": ("DIV", '<DIV ALIGN="center">%SEL%</DIV>%CR%'),
    "LAYOUT_DIV_RIGHT": ("DIV", '<DIV ALIGN="right">%SEL%</DIV>%CR%'),
    "LAYOUT_HR": ("HR", "<HR>%CR%%SEL%"),
    "MOJI_B": ("B", "<B>%SEL%</B>"),
    "MOJI_I": ("I", "<I>%SEL%</I>"),
    "MOJI_U": ("U", "<U>%SEL%</U>"),
    "MOJI_S": ("S", "<S>%SEL%</S>"),
    "MOJI_TT": ("TT", "<TT>%SEL%</TT>"),
    "MOJI_SUP": ("SUP", "<SUP>%SEL%</SUP>"),
    "MOJI_SUB": ("SUB", "<SUB>%SEL%</SUB>"),
    "MOJI_BIG": ("BIG", "<BIG>%SEL%</BIG>"),
    "MOJI_SMALL": ("SMALL", "<SMALL>%SEL%</SMALL>"),
    "MOJI_TOKUSYU_GT": ("", "&gt;%SEL%"),
    "MOJI_TOKUSYU_LT": ("", "&lt;%SEL%"),
    "MOJI_TOKUSYU_AMP": ("", "&amp;%SEL%"),
    "MOJI_TOKUSYU_QUOT": ("", "&quot;%SEL%"),
    "TAB_CAPTION": ("CAPTION", "<CAPTION>%SEL%</CAPTION>%CR%"),
    "LINK_BASE": ("BASE", '<BASE TARGET="%SEL%">%CR%'),
    "LIST_DL": ("DL", "<DL>%CR%<DT>%SEL%%CR%<DD>%CR%</DL>%CR%"),
    "LIST_LI": ("LI", "<LI>%SEL%%CR%"),
    "LIST_DT": ("DT", "<DT>%SEL%%CR%"),
    "LIST_DD": ("DD", "<DD>%SEL%%CR%"),
    "FRAME_NOFRAMES": ("NOFRAMES", "<NOFRAMES>%CR%%SEL%%CR%</NOFRAMES>%CR%"),
    "FRAME_IFRAME": ("IFRAME", '<IFRAME SRC="%SEL%"></IFRAME>'),
}
for level in range(1, 7):
    BUTTONS["LAYOUT_H_H%d" % level] = ("H%d" % level, "<H%d>%%SEL%%</H%d>%%CR%%" % (level, level))

# The ALIGN pop-up: the attribute text is put, after a blank, in front of the first ">" of
# the button's template.
ALIGN = {
    "OPTION_ALIGN_LEFT": 'ALIGN="left"',
    "OPTION_ALIGN_CENTER": 'ALIGN="center"',
    "OPTION_ALIGN_RIGHT": 'ALIGN="right"',
}

# Sub-tags composed by nested panels and grids: their templates occur literally in the
# templates of the panels that hold them, which is where the composed sub-tag goes.
TITLE = BUTTONS["DOC_TITLE"][1]
BODY = "<BODY>%CR%%SEL%%CR%</BODY>%CR%"
META = '<META HTTP-EQUIV="Content-Style-Type" CONTENT="text/css">'
FRAME = '<FRAME NAME ="" SRC="">'
OPTION = "<OPTION>%SEL%"
NESTED = {
    "DOC_META": ("META", META),
    "FRAME_FRAMESET_FRAME": ("FRAME", FRAME),
    "FORM_COMBOBOX_OPTION": ("OPTION", OPTION),
    "FORM_LISTBOX_OPTION": ("OPTION", OPTION),
    # The caption's start tag, as the caption switch of the table panel puts it in.
    "TAB_CAPTION_START": ("CAPTION", "<CAPTION>"),
}

# Attribute panels: key -> (entry group, outer template). Attributes of the panel's own
# group are put into the first tag of the template.
PANELS = {
    "DOC_KIHON": ("HTML", DOCTYPE + "%CR%<HTML>%CR%<HEAD>%CR%" + META + "%CR%" + TITLE
                  + "</HEAD>%CR%" + BODY + "</HTML>%CR%"),
    "DOC_BODY_BODY": ("BODY", BODY),
    "LAYOUT_HR_HR": ("HR", "<HR>%CR%%SEL%"),
    "MOJI_FONT_FONT": ("FONT", "<FONT>%SEL%</FONT>"),
    "TAB_TABLE_TABLE": ("TABLE", "<TABLE>%CR%<TR>%CR%<TD>%SEL%</TD>%CR%</TR>%CR%</TABLE>%CR%"),
    "TAB_TR_TR": ("TR", "<TR>%CR%<TD>%SEL%</TD>%CR%</TR>%CR%"),
    "TAB_TD_TD": ("TD", "<TD>%SEL%</TD>%CR%"),
    "TAB_TH_TH": ("TH", "<TH>%SEL%</TH>%CR%"),
    "LINK_HREF": ("A", "<A>%SEL%</A>"),
    "LINK_NAME": ("A", "<A>%SEL%</A>"),
    "LINK_MAIL": ("A", "<A>%SEL%</A>"),
    "LINK_IMG": ("IMG", "<IMG>%SEL%"),
    "LIST_UL": ("UL", "<UL>%CR%<LI>%SEL%%CR%</UL>%CR%"),
    "LIST_OL": ("OL", "<OL>%CR%<LI>%SEL%%CR%</OL>%CR%"),
    "FRAME_FRAMESET": ("FRAMESET", "<FRAMESET>" + FRAME
                       + "%CR%<NOFRAMES>%CR%%SEL%%CR%</NOFRAMES>%CR%</FRAMESET>%CR%"),
    "FORM_FORM": ("FORM", "<FORM>%CR%%SEL%%CR%</FORM>%CR%"),
    "FORM_TEXTAREA": ("TEXTAREA", "<TEXTAREA>%SEL%</TEXTAREA>"),
    "FORM_INPUT": ("INPUT", "<INPUT>%SEL%"),
    "FORM_BUTTON": ("INPUT", "<INPUT>%SEL%"),
    "FORM_RADIOBUTTON": ("INPUT", '<INPUT TYPE="radio">%SEL%'),
    "FORM_CHECKBOX": ("INPUT", '<INPUT TYPE="checkbox">%SEL%'),
    "FORM_COMBOBOX": ("SELECT", '<SELECT SIZE="1">' + OPTION + "%CR%</SELECT>%CR%%SEL%"),
    "FORM_LISTBOX": ("SELECT", "<SELECT>" + OPTION + "%CR%</SELECT>%CR%%SEL%"),
    "FORM_HIDDEN": ("INPUT", '<INPUT TYPE="hidden">%SEL%'),
}

# Image index of each group button (its position over all tag pages).
PANEL_IMAGES = {
    "DOC_KIHON": 0, "DOC_BODY_BODY": 4, "LAYOUT_HR_HR": 18, "MOJI_FONT_FONT": 25,
    "TAB_TABLE_TABLE": 39, "TAB_TR_TR": 40, "TAB_TD_TD": 41, "TAB_TH_TH": 42,
    "LINK_HREF": 44, "LINK_NAME": 45, "LINK_MAIL": 47, "LINK_IMG": 48,
    "LIST_UL": 49, "LIST_OL": 50, "FRAME_FRAMESET": 55, "FORM_FORM": 58,
    "FORM_TEXTAREA": 59, "FORM_INPUT": 60, "FORM_BUTTON": 61, "FORM_RADIOBUTTON": 62,
    "FORM_CHECKBOX": 63, "FORM_COMBOBOX": 64, "FORM_LISTBOX": 65, "FORM_HIDDEN": 66,
}

# The tag menu: (captions below the top level, key). A key in PANELS makes a dialog leaf,
# a key in BUTTONS a template leaf, None a separator. "&&" shows a single "&".
MENU = [
    ("ﾄﾞｷｭﾒﾝﾄ(&D)", [
        (["新規ドキュメント..."], "DOC_KIHON"),
        (["-"], None),
        (["ドキュメントタイプ <HTML>"], "DOC_HTML"),
        (["ヘッダ <HEAD>"], "DOC_HEAD"),
        (["タイトル <TITLE>"], "DOC_TITLE"),
        (["ボディ <BODY>..."], "DOC_BODY_BODY"),
        (["-"], None),
        (["アドレス <ADDRESS>"], "DOC_ADDRESS"),
        (["コメント <!-- -->"], "DOC_COMENT"),
    ]),
    ("ﾚｲｱｳﾄ(&L)", [
        (["改行 <BR>"], "LAYOUT_BR"),
        (["改行許可 <WBR>"], "LAYOUT_WBR"),
        (["改行禁止 <NOBR>"], "LAYOUT_NOBR"),
        (["-"], None),
        (["段落 <P>"], "LAYOUT_P_P"),
        (["整形済みテキスト <PRE>"], "LAYOUT_PRE"),
        (["引用 <BLOCKQUOTE>"], "LAYOUT_BLOCKQUOTE"),
        (["-"], None),
        (["センタリング <CENTER>"], "LAYOUT_CENTER"),
        (["配置 <DIV>", '左寄せ <DIV align="left">'], "LAYOUT_DIV_LEFT"),
        (["配置 <DIV>", '中央寄せ <DIV align="center">'], "LAYOUT_DIV_CENTER"),
        (["配置 <DIV>", '右寄せ <DIV align="right">'], "LAYOUT_DIV_RIGHT"),
        (["-"], None),
        (["見出し", "レベル1 <H1>"], "LAYOUT_H_H1"),
        (["見出し", "レベル2 <H2>"], "LAYOUT_H_H2"),
        (["見出し", "レベル3 <H3>"], "LAYOUT_H_H3"),
        (["見出し", "レベル4 <H4>"], "LAYOUT_H_H4"),
        (["見出し", "レベル5 <H5>"], "LAYOUT_H_H5"),
        (["見出し", "レベル6 <H6>"], "LAYOUT_H_H6"),
        (["-"], None),
        (["水平線 <HR>"], "LAYOUT_HR"),
        (["水平線（詳細） <HR>..."], "LAYOUT_HR_HR"),
    ]),
    ("文字(&M)", [
        (["フォントの設定 <FONT>..."], "MOJI_FONT_FONT"),
        (["-"], None),
        (["太字 <B>"], "MOJI_B"),
        (["斜体 <I>"], "MOJI_I"),
        (["下線 <U>"], "MOJI_U"),
        (["取り消し線 <S>"], "MOJI_S"),
        (["等幅フォント <TT>"], "MOJI_TT"),
        (["-"], None),
        (["上付添字 <SUP>"], "MOJI_SUP"),
        (["下付添字 <SUB>"], "MOJI_SUB"),
        (["大きく表示 <BIG>"], "MOJI_BIG"),
        (["小さく表示 <SMALL>"], "MOJI_SMALL"),
        (["-"], None),
        (["特殊文字", "> (&&gt;)"], "MOJI_TOKUSYU_GT"),
        (["特殊文字", "< (&&lt;)"], "MOJI_TOKUSYU_LT"),
        (["特殊文字", "&& (&&amp;)"], "MOJI_TOKUSYU_AMP"),
        (["特殊文字", '" (&&quot;)'], "MOJI_TOKUSYU_QUOT"),
    ]),
    ("表(&T)", [
        (["表の作成 <TABLE>..."], "TAB_TABLE_TABLE"),
        (["-"], None),
        (["行 <TR>..."], "TAB_TR_TR"),
        (["データセル <TD>..."], "TAB_TD_TD"),
        (["見出しセル <TH>..."], "TAB_TH_TH"),
        (["タイトル <CAPTION>"], "TAB_CAPTION"),
    ]),
    ("ﾘﾝｸ・画像(&A)", [
        (['リンク <A HREF="">...'], "LINK_HREF"),
        (['アンカー <A NAME="">...'], "LINK_NAME"),
        (['ベースターゲット <BASE TARGET="">'], "LINK_BASE"),
        (['メール <A HREF="mailto:">...'], "LINK_MAIL"),
        (["-"], None),
        (['画像 <IMG SRC="">...'], "LINK_IMG"),
    ]),
    ("ﾘｽﾄ(&S)", [
        (["マーク付きリスト <UL>..."], "LIST_UL"),
        (["番号付きリスト <OL>..."], "LIST_OL"),
        (["定義型リスト <DL>"], "LIST_DL"),
        (["-"], None),
        (["リスト項目の追加 <LI>"], "LIST_LI"),
        (["リスト項目（定義）の追加 <DT>"], "LIST_DT"),
        (["リスト項目（意味）の追加 <DD>"], "LIST_DD"),
    ]),
    ("ﾌﾚｰﾑ(&F)", [
        (["フレーム定義 <FRAMESET>..."], "FRAME_FRAMESET"),
        (["-"], None),
        (["フレーム未対応 <NOFRAMES>"], "FRAME_NOFRAMES"),
        (['独立フレーム <IFRAME SRC="">'], "FRAME_IFRAME"),
    ]),
    ("ﾌｫｰﾑ(&O)", [
        (["フォーム領域 <FORM>..."], "FORM_FORM"),
        (["-"], None),
        (["複数行入力\u3000<TEXTAREA>..."], "FORM_TEXTAREA"),
        (['１行入力 <INPUT TYPE="">...'], "FORM_INPUT"),
        (['ボタン <INPUT TYPE="">...'], "FORM_BUTTON"),
        (['ラジオボタン <INPUT TYPE="radio">...'], "FORM_RADIOBUTTON"),
        (['チェックボックス <INPUT TYPE="checkbox">...'], "FORM_CHECKBOX"),
        (['コンボボックス <SELECT SIZE="1">...'], "FORM_COMBOBOX"),
        (["リストボックス <SELECT>..."], "FORM_LISTBOX"),
        (['隠しフィールド <INPUT TYPE="hidden">...'], "FORM_HIDDEN"),
    ]),
]


def menu_lines():
    lines = []
    for top, items in MENU:
        for captions, key in items:
            lines.append("[" + top + "]" + "".join("[" + c + "]" for c in captions))
            if key is None:
                continue
            if key in PANELS:
                lines.append("%s_DLG%02d=%s" % (key, PANEL_IMAGES[key], key))
            else:
                lines.append('%s="%s"' % (key, BUTTONS[key][1]))
    return lines


def button_lines():
    lines = []
    for key, (group, template) in BUTTONS.items():
        lines.append('%s=[%s]"%s"' % (key, group, template))
    for key, attribute in ALIGN.items():
        lines.append('%s=[]"%s"' % (key, attribute))
    for key, (group, template) in PANELS.items():
        lines.append('%s=[%s]"%s"' % (key, group, template))
    for key, (group, template) in NESTED.items():
        lines.append('%s=[%s]"%s"' % (key, group, template))
    return lines


def path_of(name):
    return os.path.join(os.path.dirname(os.path.abspath(__file__)), name)


def kept_lines(name, generated):
    """Lines of the existing file whose keys this script does not write (the attribute
    entries of the tag dialog), kept in their order after the generated ones."""
    try:
        with open(path_of(name), "rb") as f:
            old = f.read().decode("cp932").splitlines()
    except FileNotFoundError:
        return []
    keys = {line.split("=", 1)[0].upper() for line in generated if "=" in line}
    return [line for line in old if "=" not in line or line.split("=", 1)[0].upper() not in keys]


def write(name, lines):
    path = path_of(name)
    data = "".join(line + "\r\n" for line in lines).encode("cp932")  # strict: fails on loss
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    write("TagMList.lst", menu_lines())
    generated = button_lines()
    write("TagBList.lst", generated + kept_lines("TagBList.lst", generated))
