#include "tagdialog/ComposeVerb.h"

#include "catalogue/ButtonTagList.h"
#include "insert/TagTemplate.h"
#include "tagdialog/Compose.h"
#include "tagdialog/ComposeValues.h"
#include "tagdialog/FrameBuilder.h"
#include "tagdialog/FrameBuilderSetup.h"
#include "tagdialog/Pickers.h"

#include <cstdint>

namespace orvanel {
namespace tagdialog {
namespace {

const char* const kUsage = "使い方: orvanel compose PANEL [NAME=VALUE ...]";

struct Assignment {
    std::string name;
    bool cell = false;
    int row = 0;
    int column = 0;
    std::string value;
};

// "NAME=VALUE" or "NAME[row,col]=VALUE"; false when the text has neither form.
bool parseAssignment(std::string_view arg, Assignment& out)
{
    const std::size_t eq = arg.find('=');
    if (eq == std::string_view::npos || eq == 0)
        return false;
    std::string_view name = arg.substr(0, eq);
    out.value = std::string(arg.substr(eq + 1));
    if (name.back() == ']') {
        const std::size_t open = name.find('[');
        const std::size_t comma = name.find(',', open);
        if (open == std::string_view::npos || open == 0 || comma == std::string_view::npos)
            return false;
        const auto row = parseDecimal(name.substr(open + 1, comma - open - 1));
        const auto column = parseDecimal(name.substr(comma + 1, name.size() - comma - 2));
        if (!row || !column)
            return false;
        out.cell = true;
        out.row = static_cast<int>(*row);
        out.column = static_cast<int>(*column);
        name = name.substr(0, open);
    }
    out.name = std::string(name);
    return true;
}

// The entry whose whole text, or whose value before " :", is `value`; -1 when none is.
int entryIndex(const Control& c, std::string_view value)
{
    const auto& entries = c.entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == value)
            return static_cast<int>(i);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (cutBeforeColon(entries[i]) == value)
            return static_cast<int>(i);
    return -1;
}

bool inPanel(const Control& c, const Control& panel) { return c.panel() == &panel; }

// Sets one control as the user would and runs its event. Returns the problem, or empty.
std::string apply(ControlModel& model, const Control& panel, const Assignment& a)
{
    Control* c = model.find(a.name);
    if (!c)
        c = model.findIgnoreCase(a.name);
    if (!c || !inPanel(*c, panel) || c == &panel)
        return "コントロール " + a.name + " は " + panel.name() + " にありません";
    const std::string bad = a.name + " に " + a.value + " は設定できません";

    if (a.cell) {
        if (c->kind() != ControlKind::Grid)
            return a.name + " は表ではありません";
        if (a.row < 1 || a.row > c->rowCount() || a.column < 1 || a.column >= c->columnCount())
            return a.name + " に [" + std::to_string(a.row) + "," + std::to_string(a.column) + "] のセルはありません";
        c->setCell(a.row, a.column, a.value);
        // The split sizes follow the size column, as the size editors keep them.
        if (c->name() == frame::kGrid && a.column == frame::Size)
            if (Control* split = model.find(frame::kSplitSizes))
                split->setText(splitSizeText(*c));
        return {};
    }

    switch (c->kind()) {
    case ControlKind::CheckBox:
        if (a.value != "1" && a.value != "0")
            return bad;
        c->setChecked(a.value == "1");
        model.fire(*c, ControlEvent::Click);
        return {};
    case ControlKind::Edit:
        c->setText(a.value);
        model.fire(*c, ControlEvent::Change);
        return {};
    case ControlKind::List: {
        // An entry by its text or its value; lists also take typed text.
        const int i = entryIndex(*c, a.value);
        c->setText(i >= 0 ? c->entries()[static_cast<std::size_t>(i)] : a.value);
        model.fire(*c, ControlEvent::Change);
        return {};
    }
    case ControlKind::SpinEdit: {
        const auto n = parseDecimal(a.value);
        if (!n || *n < INT32_MIN || *n > INT32_MAX)
            return bad;
        c->setValue(static_cast<int>(*n));
        model.fire(*c, ControlEvent::Change);
        return {};
    }
    case ControlKind::RadioGroup: {
        const int i = entryIndex(*c, a.value);
        if (i < 0)
            return bad;
        c->setItemIndex(i);
        model.fire(*c, ControlEvent::Click);
        return {};
    }
    case ControlKind::RadioButton:
        if (a.value != "1" && a.value != "0")
            return bad;
        c->setChecked(a.value == "1");
        model.fire(*c, ControlEvent::Click);
        return {};
    case ControlKind::Grid:
        return a.name + " はセルを " + a.name + "[行,列]=文字 で指定してください";
    default:
        return a.name + " は設定できるコントロールではありません";
    }
}

} // namespace

ComposeResult composeFromArguments(const catalogue::ButtonTagList& list,
                                   const std::vector<std::string>& args, int tagFace)
{
    ComposeResult r;
    if (args.empty() || args[0].empty()) {
        r.status = 2;
        r.problem = kUsage;
        return r;
    }
    ControlModel model;
    InitializePanel(model);
    installGridHandlers(model);
    installEnablingRules(model);

    const Control* panel = model.panel("Panel" + args[0]);
    if (!panel && args[0].starts_with("Panel"))
        panel = model.panel(args[0]);
    if (!panel) {
        r.status = 2;
        r.problem = "パネル " + args[0] + " はありません";
        return r;
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        Assignment a;
        if (!parseAssignment(args[i], a)) {
            r.status = 2;
            r.problem = std::string(kUsage) + " (" + args[i] + ")";
            return r;
        }
        if (std::string problem = apply(model, *panel, a); !problem.empty()) {
            r.status = 2;
            r.problem = problem;
            return r;
        }
    }
    const Composer composer(list, [&r](const std::string& m) { r.composeErrors.push_back(m); });
    r.text = ApplyTagFace(composer.composePanel(*panel), tagFace);
    return r;
}

} // namespace tagdialog
} // namespace orvanel
