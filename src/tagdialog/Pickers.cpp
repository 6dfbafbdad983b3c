#include "tagdialog/Pickers.h"

#include "tagdialog/PanelModel.h"
#include "text/Lines.h"

#include <array>

#include <cstdio>

namespace orvanel::tagdialog {
namespace {

bool equalsAsciiNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

std::string pickerTarget(std::string_view buttonName)
{
    return buttonName.size() > 3 ? std::string(buttonName.substr(3)) : std::string();
}

std::string colourToHex(std::uint32_t rgb)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", (rgb >> 16) & 0xFFu, (rgb >> 8) & 0xFFu,
                  rgb & 0xFFu);
    return buf;
}

bool isUrlShortcut(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && name.substr(dot) == ".url";
}

std::string urlOfShortcut(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (equalsAsciiNoCase(std::string_view(line).substr(0, eq), "URL"))
            return line.substr(eq + 1);
    }
    return {};
}

std::string referenceText(const std::string& file, std::string_view targetFile,
                          insert::PathStyle style,
                          const std::function<void(std::string_view)>& tell)
{
    if (isUrlShortcut(file))
        return urlOfShortcut(text::readDataFileLines(file));
    return insert::MakeRelativePath(file, targetFile, style, tell);
}

} // namespace orvanel::tagdialog

namespace orvanel::tagdialog {
namespace {

bool isChecked(ControlModel& model, std::string_view name)
{
    const Control* c = model.find(name);
    return c && c->checked();
}

void enable(ControlModel& model, std::string_view name, bool on)
{
    if (Control* c = model.find(name))
        c->setEnabled(on);
}

// A family's background image excludes its background colour and enables the fixed-image
// switch.
void backgroundFamily(ControlModel& model, std::string_view prefix)
{
    const std::string p(prefix);
    const bool image = isChecked(model, p + "DOC_BODY_BACKGROUND");
    enable(model, p + "DOC_BODY_BGCOLOR", !image);
    enable(model, p + "DOC_BODY_BGFIXED", image);
}

void backgroundRule(ControlModel& model)
{
    backgroundFamily(model, "OpTag");
    backgroundFamily(model, "OoTag");
}

void captionRule(ControlModel& model)
{
    const bool on = isChecked(model, "OoTagTAB_CAPTION_CAPTION");
    for (std::string_view n : {"OoTagTAB_CAPTION_ALIGN", "OoVal1TAB_CAPTION_ALIGN",
                               "OoTagTAB_CAPTION_VALIGN", "OoVal1TAB_CAPTION_VALIGN"})
        enable(model, n, on);
}

void borderRule(ControlModel& model)
{
    const bool on = isChecked(model, "OpTagTAB_TABLE_BORDER");
    enable(model, "OpTagTAB_TABLE_FRAME", on);
    enable(model, "OpVal1TAB_TABLE_FRAME", on);
}

// The single border colour and the 3-D pair exclude each other.
void borderColourRule(ControlModel& model)
{
    const bool single = isChecked(model, "OpTagTAB_TABLE_BORDERCOLOR");
    for (std::string_view n : {"OpTagTAB_TABLE_BORDERCOLORLIGHT", "OpTagTAB_TABLE_BORDERCOLORDARK",
                               "OpVal1TAB_TABLE_BORDERCOLORLIGHT", "OpVal1TAB_TABLE_BORDERCOLORDARK"})
        enable(model, n, !single);
    const bool pair = isChecked(model, "OpTagTAB_TABLE_BORDERCOLORLIGHT")
        || isChecked(model, "OpTagTAB_TABLE_BORDERCOLORDARK");
    enable(model, "OpTagTAB_TABLE_BORDERCOLOR", !pair);
    enable(model, "OpVal1TAB_TABLE_BORDERCOLOR", !pair);
}

struct Rule {
    std::string_view handler;
    void (*apply)(ControlModel&);
    std::array<std::string_view, 3> senders; // unused places are empty
};

const Rule kRules[] = {
    {"OpTagDOC_BODY_BACKGROUNDClick", backgroundRule,
     {"OpTagDOC_BODY_BACKGROUND", "OoTagDOC_BODY_BACKGROUND"}},
    {"OoTagTAB_CAPTION_CAPTIONClick", captionRule, {"OoTagTAB_CAPTION_CAPTION"}},
    {"OpTagTAB_TABLE_BORDERClick", borderRule, {"OpTagTAB_TABLE_BORDER"}},
    {"OpTagTAB_TABLE_BORDERCOLORClick", borderColourRule,
     {"OpTagTAB_TABLE_BORDERCOLOR", "OpTagTAB_TABLE_BORDERCOLORLIGHT",
      "OpTagTAB_TABLE_BORDERCOLORDARK"}},
};

} // namespace

bool applyEnablingRule(ControlModel& model, std::string_view sender)
{
    for (const Rule& rule : kRules)
        for (std::string_view s : rule.senders)
            if (!s.empty() && s == sender) {
                rule.apply(model);
                return true;
            }
    return false;
}

void applyAllEnablingRules(ControlModel& model)
{
    for (const Rule& rule : kRules)
        rule.apply(model);
}

void installEnablingRules(ControlModel& model)
{
    for (const Rule& rule : kRules) {
        ControlModel* m = &model;
        auto apply = rule.apply;
        model.setHandler(std::string(rule.handler), [m, apply](Control&) { apply(*m); });
    }
}

} // namespace orvanel::tagdialog
