#!/usr/bin/env bash
# Checks the tag button icon set: every one of the 67 tag buttons has its SVG in
# icons.qrc under ":/icons/<key>.svg", each SVG is well-formed, drawn on the 27 x 27
# grid, uses only what Qt's SVG renderer draws, and the buttons that open the tag
# dialog (and only those) carry the dialog mark. When ORVANEL_BIN is set, also checks
# that the pictures rendered from them were compiled into the executable.
set -uo pipefail
set -f   # the key list below uses * as a mark, not as a pattern

src=${ORVANEL_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
dir=$src/src/catalogue/icons
qrc=$dir/icons.qrc
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

command -v xmllint >/dev/null || { echo "xmllint is missing (Debian libxml2-utils)"; exit 1; }

# The buttons in page order; a trailing * marks a button that opens the tag dialog.
keys=(
  DOC_KIHON* DOC_HTML DOC_HEAD DOC_TITLE DOC_BODY_BODY* DOC_ADDRESS DOC_COMENT
  LAYOUT_BR LAYOUT_WBR LAYOUT_NOBR LAYOUT_P_P LAYOUT_PRE LAYOUT_BLOCKQUOTE LAYOUT_CENTER
  LAYOUT_DIV_LEFT LAYOUT_DIV_CENTER LAYOUT_DIV_RIGHT LAYOUT_HR LAYOUT_HR_HR*
  LAYOUT_H_H1 LAYOUT_H_H2 LAYOUT_H_H3 LAYOUT_H_H4 LAYOUT_H_H5 LAYOUT_H_H6
  MOJI_FONT_FONT* MOJI_B MOJI_I MOJI_U MOJI_S MOJI_TT MOJI_SUP MOJI_SUB MOJI_BIG MOJI_SMALL
  MOJI_TOKUSYU_GT MOJI_TOKUSYU_LT MOJI_TOKUSYU_AMP MOJI_TOKUSYU_QUOT
  TAB_TABLE_TABLE* TAB_TR_TR* TAB_TD_TD* TAB_TH_TH* TAB_CAPTION
  LINK_HREF* LINK_NAME* LINK_BASE LINK_MAIL* LINK_IMG*
  LIST_UL* LIST_OL* LIST_DL LIST_LI LIST_DT LIST_DD
  FRAME_FRAMESET* FRAME_NOFRAMES FRAME_IFRAME
  FORM_FORM* FORM_TEXTAREA* FORM_INPUT* FORM_BUTTON* FORM_RADIOBUTTON* FORM_CHECKBOX*
  FORM_COMBOBOX* FORM_LISTBOX* FORM_HIDDEN*
)
[ ${#keys[@]} -eq 67 ] || fail "the key list of this test holds ${#keys[@]} keys, not 67"
dialogs=$(printf '%s\n' "${keys[@]}" | grep -c '[*]$')
[ "$dialogs" -eq 24 ] || fail "the key list of this test marks $dialogs dialog buttons, not 24"

# ---- the resource file
xmllint --noout "$qrc" || fail "icons.qrc is not well-formed"
prefix=$(xmllint --xpath 'string(/RCC/qresource/@prefix)' "$qrc" 2>/dev/null)
[ "$prefix" = /icons ] || fail "icons.qrc has prefix '$prefix', expected /icons"
# alias -> file, from one reading of the resource file
declare -A files
while IFS=$'\t' read -r alias file; do
  [ -z "${files[$alias]+set}" ] || fail "icons.qrc lists $alias twice"
  files[$alias]=$file
done < <(xmllint --xpath '//file' "$qrc" 2>/dev/null |
         sed -n 's|.*<file alias="\([^"]*\)">\([^<]*\)</file>.*|\1\t\2|p')

# One query per SVG: root element, namespace, viewBox, size, the elements that Qt's SVG
# renderer (SVG Tiny) ignores (filters, masks, style sheets...), and font-family values
# that list several families (Qt reads the whole value as one family name, so a list
# falls back to the default font).
query='concat(local-name(/*), "|", namespace-uri(/*), "|", /*/@viewBox, "|", /*/@width, "x", /*/@height, "|",
  count(//*[local-name()="filter" or local-name()="mask" or local-name()="style" or local-name()="clipPath"
            or local-name()="foreignObject" or local-name()="script" or local-name()="image"
            or local-name()="metadata"]), "|",
  count(//@font-family[contains(., ",")]))'
dialog_mark='<rect x="17" y="23" width="10" height="4" rx="1"'
for entry in "${keys[@]}"; do
  key=${entry%\*}
  file=${files[$key.svg]:-}
  if [ -z "$file" ]; then fail "$key: no entry with alias $key.svg in icons.qrc"; continue; fi
  svg=$dir/$file
  [ -f "$svg" ] || { fail "$key: icons.qrc names $file, which does not exist"; continue; }

  facts=$(xmllint --xpath "$query" "$svg" 2>/dev/null) || { fail "$key: $file is not well-formed XML"; continue; }
  IFS='|' read -r root ns viewbox size unsupported lists <<<"$facts"
  [ "$root $ns" = "svg http://www.w3.org/2000/svg" ] || fail "$key: root element is '$root' in '$ns'"
  [ "$viewbox" = "0 0 27 27" ] || fail "$key: viewBox is '$viewbox', expected '0 0 27 27'"
  [ "$size" = 27x27 ] || fail "$key: size is $size, expected 27x27"
  [ "$unsupported" = 0 ] || fail "$key: uses elements that Qt's SVG renderer ignores"
  [ "$lists" = 0 ] || fail "$key: font-family lists more than one family"
  if grep -qE 'inkscape|sodipodi|xmlns:[a-z]' "$svg"; then fail "$key: carries editor metadata or extra namespaces"; fi

  if [ "$entry" != "$key" ]; then
    grep -qF "$dialog_mark" "$svg" || fail "$key opens the tag dialog but lacks the dialog mark"
  else
    grep -qF "$dialog_mark" "$svg" && fail "$key inserts a tag but shows the dialog mark"
  fi
done

listed=$(grep -c '<file ' "$qrc")
[ "$listed" -eq 67 ] || fail "icons.qrc lists $listed files, expected 67"

# ---- the executable: rcc stores resource names as UTF-16 (big-endian).
if [ -n "${ORVANEL_BIN:-}" ]; then
  if [ ! -x "$ORVANEL_BIN" ]; then
    fail "ORVANEL_BIN=$ORVANEL_BIN is not an executable"
  else
    # The program carries each SVG as the PNG picture rendered from it at build time: every
    # resource name of the form KEY.png, read in one pass over the program.
    windows=$(dirname "$ORVANEL_BIN")/orvanel-ui.so && [ -f "$windows" ] || windows=$ORVANEL_BIN
    compiled=$(LC_ALL=C grep -aoP '(\x00[A-Z0-9_])+\x00\.\x00p\x00n\x00g' "$windows" | tr -d '\0' | sort -u)
    for entry in "${keys[@]}"; do
      key=${entry%\*}
      grep -qxF "$key.png" <<<"$compiled" || fail "$key.png is not compiled into $windows"
    done
  fi
fi

if [ $failures -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all ${#keys[@]} tag button icons present and sound"
