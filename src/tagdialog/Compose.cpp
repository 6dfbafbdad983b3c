#include "tagdialog/Compose.h"

#include "tagdialog/ComposeValues.h"
#include "tagdialog/FrameBuilder.h"
#include "tagdialog/OptionBuilder.h"
#include "text/TextOps.h"

#include <exception>
#include <stdexcept>

namespace orvanel::tagdialog {
namespace {

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

// The value family of a switch: "OpTag..." reads "OpVal1" + key, every other switch
// "OoVal1" + key.
std::string firstValueName(const Control& sw)
{
    return (startsWith(sw.name(), "OpTag") ? "OpVal1" : "OoVal1") + sw.key();
}

// The text of a radio group's selected entry; a group without a selection cannot be composed.
std::string selectedEntryOf(const Control& radioGroup)
{
    const int i = radioGroup.itemIndex();
    if (i < 0 || i >= static_cast<int>(radioGroup.entries().size()))
        throw std::runtime_error("no entry selected");
    return radioGroup.entries()[static_cast<std::size_t>(i)];
}

} // namespace

Composer::Composer(const catalogue::ButtonTagList& list, ErrorReport report)
    : list_(list), report_(std::move(report))
{
}

std::string Composer::composePanel(const Control& panel) const
{
    const std::string key = panel.key();
    return ConvToTag(panel, list_.group(key), list_.templateOf(key));
}

std::string Composer::ConvToTag(const Control& container, std::string_view group,
                                std::string tag) const
{
    for (const Control* child : container.visitingOrder()) {
        // Each child under its own guard: a failure is reported with the child's name and
        // the tag keeps what was composed before it.
        try {
            tag = composeChild(container, *child, group, tag);
        } catch (const std::exception&) {
            if (report_)
                report_(std::string(kComposeErrorMessage) + "\n" + child->name());
        }
    }
    return tag;
}

std::string Composer::composeChild(const Control& container, const Control& child,
                                   std::string_view group, const std::string& tag) const
{
    // On failure the caller keeps the tag as it was; work on a copy.
    std::string result = tag;
    switch (child.kind()) {
    case ControlKind::CheckBox: {
        if (!child.checked() || !child.enabled() || child.tag() == 3)
            return result;
        const std::string key = child.key();
        const std::string g = list_.group(key);
        const std::string t = list_.templateOf(key);
        const std::string v = GetOptionValue(container, firstValueName(child), t);
        if (v == kUnspecified)
            return result;
        if (g == group)
            return insertBeforeFirstGt(result, " " + v);
        if (v.find(kSlot) != std::string::npos)
            return text::replaceAllIgnoreCase(result, kSlot, v);
        return insertAfterFirstGt(result, v);
    }
    case ControlKind::Label: {
        if (child.tag() == 3)
            return result;
        const std::string t = list_.templateOf(child.key());
        const std::string v = GetOptionValue(container, firstValueName(child), t);
        if (!t.empty() && result.find(t) != std::string::npos)
            return text::replaceAllIgnoreCase(result, t, v);
        if (v != kUnspecified)
            return insertBeforeFirstGt(result, " " + v);
        return result;
    }
    case ControlKind::RadioGroup: {
        const std::string key = child.key();
        std::string v = GetOptionValue(container, child.name(), list_.templateOf(key));
        if (child.tag() == 1) {
            v += "=\"%SEL%\"";
            v = GetOptionValue(container, "OpVal1" + key, v);
        }
        if (v != kUnspecified)
            return insertBeforeFirstGt(result, " " + v);
        return result;
    }
    case ControlKind::Grid: {
        const std::string key = child.key();
        const std::string t = list_.templateOf(key);
        std::string v;
        if (startsWith(key, "FORM"))
            v = GetFORMOption(child, t);
        else if (child.name() == "OpTagFRAME_FRAMESET_FRAME")
            v = GetFRAMEOption(child, t);
        else
            v = t;
        return text::replaceAllIgnoreCase(result, t, v);
    }
    case ControlKind::NestedPanel:
    case ControlKind::Panel: {
        if (child.children().empty())
            return result;
        const std::string key = child.key();
        const std::string t = list_.templateOf(key);
        const std::string v = ConvToTag(child, list_.group(key), t);
        return text::replaceAllIgnoreCase(result, t, v);
    }
    default:
        // Group boxes: their children act on the same tag as if they stood here.
        if (!child.children().empty())
            return ConvToTag(child, group, std::move(result));
        return result;
    }
}

std::string Composer::secondValue(const Control& container, const Control& first) const
{
    const std::string& name = first.name();
    std::string second;
    if (first.kind() == ControlKind::SpinEdit || startsWith(name, "OpVal1"))
        second = text::replaceAllIgnoreCase(name, "OpVal1", "OpVal2");
    else
        second = text::replaceAllIgnoreCase(name, "OoVal1", "OoVal2");
    // A first value whose name holds no family word would name itself again.
    if (text::equalsIgnoreCase(second, name))
        return std::string(kSlot);
    return GetOptionValue(container, second, kSlot);
}

std::string Composer::GetOptionValue(const Control& container, std::string_view name,
                                     std::string_view templ) const
{
    std::string val(kSlot);
    bool repeat = false;
    for (const Control* c : container.visitingOrder()) {
        switch (c->kind()) {
        case ControlKind::Edit:
            if (c->name() == name) {
                val = c->text();
                if (c->tag() == 1)
                    val += secondValue(container, *c);
            }
            break;
        case ControlKind::List:
            if (c->name() == name) {
                val = cutBeforeColon(c->text());
                if (c->tag() == 1)
                    val += secondValue(container, *c);
            }
            break;
        case ControlKind::SpinEdit:
            if (c->name() == name) {
                val = std::to_string(c->value());
                if (c->tag() == 1)
                    val += secondValue(container, *c);
                if (c->tag() == 2)
                    repeat = true;
            }
            break;
        case ControlKind::RadioButton: {
            const std::string& n = c->name();
            if (n.size() >= 2 && std::string_view(n).substr(0, n.size() - 2) == name && c->checked())
                val = cutBeforeColon(c->caption());
            break;
        }
        case ControlKind::RadioGroup:
            if (c->name() == name)
                val = cutBeforeColon(selectedEntryOf(*c));
            break;
        default:
            break;
        }
    }

    std::string result = val == kUnspecified ? std::string(kUnspecified)
                                             : text::replaceAllIgnoreCase(templ, kSlot, val);
    if (repeat) {
        const long n = parseDecimal(val).value_or(-1);
        if (n > 0)
            result = repeatText(result, n);
    }
    return result;
}

} // namespace orvanel::tagdialog
