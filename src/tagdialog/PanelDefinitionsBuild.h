#pragma once
// Small constructors for the panel descriptions, so that each panel reads like its table.

#include "tagdialog/PanelModel.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace orvanel::paneldefs {

using Entries = std::vector<std::string>;
using Children = std::vector<ControlDef>;

inline ControlDef make(ControlKind kind, std::string name, std::string caption = {}, std::string hint = {})
{
    ControlDef d;
    d.kind = kind;
    d.name = std::move(name);
    d.caption = std::move(caption);
    d.hint = std::move(hint);
    return d;
}

inline ControlDef panel(std::string name, std::string caption, int w, int h, Children children)
{
    ControlDef d = make(ControlKind::Panel, std::move(name), std::move(caption));
    d.bounds = {0, 0, w, h};
    d.children = std::move(children);
    return d;
}

inline ControlDef nested(std::string name, std::string hint, Children children)
{
    ControlDef d = make(ControlKind::NestedPanel, std::move(name), {}, std::move(hint));
    d.children = std::move(children);
    return d;
}

inline ControlDef group(std::string name, std::string caption, Children children)
{
    ControlDef d = make(ControlKind::GroupBox, std::move(name), std::move(caption));
    d.children = std::move(children);
    return d;
}

inline ControlDef label(std::string name, std::string caption, std::string hint = {})
{
    return make(ControlKind::Label, std::move(name), std::move(caption), std::move(hint));
}

inline ControlDef check(std::string name, std::string caption, std::string hint = {})
{
    return make(ControlKind::CheckBox, std::move(name), std::move(caption), std::move(hint));
}

inline ControlDef edit(std::string name, std::string text = {})
{
    ControlDef d = make(ControlKind::Edit, std::move(name));
    d.text = std::move(text);
    return d;
}

inline ControlDef list(std::string name, Entries entries, std::string initial)
{
    ControlDef d = make(ControlKind::List, std::move(name));
    d.entries = std::move(entries);
    d.text = std::move(initial);
    return d;
}

inline ControlDef spin(std::string name, int min, int max, int initial)
{
    ControlDef d = make(ControlKind::SpinEdit, std::move(name));
    d.minValue = min;
    d.maxValue = max;
    d.value = initial;
    return d;
}

inline ControlDef radio(std::string name, std::string caption, Entries entries, int selected, int columns)
{
    ControlDef d = make(ControlKind::RadioGroup, std::move(name), std::move(caption));
    d.entries = std::move(entries);
    d.itemIndex = selected;
    d.columns = columns;
    return d;
}

// A file picker "Ref" + edit name, or a colour picker "Col" + edit name, captioned "参照".
inline ControlDef refPicker(const std::string& editName, int tag = 0)
{
    ControlDef d = make(ControlKind::Button, "Ref" + editName, "参照");
    d.tag = tag;
    d.onClick = "RefBtnClick";
    return d;
}

inline ControlDef colPicker(const std::string& editName, int tag = 0)
{
    ControlDef d = make(ControlKind::Button, "Col" + editName, "参照");
    d.tag = tag;
    d.onClick = "ColBtnClick";
    return d;
}

// Modifiers, applied to a finished description.
inline ControlDef tag(ControlDef d, int n)
{
    d.tag = n;
    return d;
}
inline ControlDef checked(ControlDef d)
{
    d.checked = true;
    return d;
}
inline ControlDef disabled(ControlDef d)
{
    d.enabled = false;
    return d;
}
inline ControlDef onClick(ControlDef d, std::string handler)
{
    d.onClick = std::move(handler);
    return d;
}
inline ControlDef onChange(ControlDef d, std::string handler)
{
    d.onChange = std::move(handler);
    return d;
}
inline ControlDef rowOf(ControlDef d, std::string leader)
{
    d.rowOf = std::move(leader);
    return d;
}
inline ControlDef newColumn(ControlDef d)
{
    d.layoutBreak = LayoutBreak::Column;
    return d;
}
inline ControlDef newBand(ControlDef d)
{
    d.layoutBreak = LayoutBreak::Band;
    return d;
}

// The unit list of a width: percent or pixels.
inline Entries unitEntries() { return {"% : パーセント", " : ピクセル"}; }
inline Entries alignEntries() { return {"left : 左", "center : 中", "right : 右"}; }
inline Entries valignEntries() { return {"top : 上", "middle : 中", "bottom : 下"}; }

// Families of panels, in dialog order.
Children documentPanels();   // DOC, LAYOUT, MOJI
Children tablePanels();      // TAB
Children linkListPanels();   // LINK, LIST
Children frameFormPanels();  // FRAME, FORM

} // namespace orvanel::paneldefs
