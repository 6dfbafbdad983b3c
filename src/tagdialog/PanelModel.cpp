#include "tagdialog/PanelModel.h"

#include "text/TextOps.h"

#include <algorithm>
#include <stdexcept>

namespace orvanel {

const char* controlKindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Panel: return "Panel";
    case ControlKind::NestedPanel: return "NestedPanel";
    case ControlKind::GroupBox: return "GroupBox";
    case ControlKind::Label: return "Label";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::Edit: return "Edit";
    case ControlKind::List: return "List";
    case ControlKind::SpinEdit: return "SpinEdit";
    case ControlKind::RadioGroup: return "RadioGroup";
    case ControlKind::RadioButton: return "RadioButton";
    case ControlKind::Grid: return "Grid";
    case ControlKind::Button: return "Button";
    }
    return "?";
}

std::string attributeKey(std::string_view controlName)
{
    return controlName.size() > 5 ? std::string(controlName.substr(5)) : std::string();
}

namespace {
const std::string kEmpty;
}

Control::Control(ControlModel& model, Control* parent, const ControlDef& def)
    : model_(&model), parent_(parent), def_(def)
{
    def_.children.clear();
    enabled_ = def.enabled;
    visible_ = def.kind != ControlKind::Panel;  // panels are hidden until shown
    text_ = def.text;
    checked_ = def.checked;
    itemIndex_ = def.itemIndex;
    value_ = def.kind == ControlKind::SpinEdit ? clampValue(def.value) : def.value;
    rowCount_ = def.gridRows;
    cells_ = def.cells;
    for (const ControlDef& c : def.children)
        children_.push_back(std::make_unique<Control>(model, this, c));
}

std::string Control::accessibleName() const
{
    if (!def_.caption.empty())
        return def_.caption;
    if (!def_.hint.empty())
        return def_.hint;
    return def_.name;
}

Control* Control::child(std::string_view name) const
{
    for (const auto& c : children_)
        if (c->name() == name)
            return c.get();
    return nullptr;
}

std::vector<Control*> Control::visitingOrder() const
{
    std::vector<Control*> order;
    order.reserve(children_.size());
    for (const auto& c : children_)
        if (c->kind() == ControlKind::Label)
            order.push_back(c.get());
    for (const auto& c : children_)
        if (c->kind() != ControlKind::Label)
            order.push_back(c.get());
    return order;
}

const Control* Control::panel() const
{
    const Control* c = this;
    while (c->parent_)
        c = c->parent_;
    return c->kind() == ControlKind::Panel ? c : nullptr;
}

void Control::notify() { model_->changed(*this); }

void Control::setEnabled(bool on)
{
    if (enabled_ == on)
        return;
    enabled_ = on;
    notify();
}

void Control::setVisible(bool on)
{
    if (visible_ == on)
        return;
    visible_ = on;
    notify();
}

void Control::setText(std::string text)
{
    if (text_ == text)
        return;
    text_ = std::move(text);
    notify();
}

void Control::setChecked(bool on)
{
    if (checked_ == on)
        return;
    checked_ = on;
    notify();
}

int Control::itemIndex() const
{
    if (def_.kind == ControlKind::List) {
        const auto& e = def_.entries;
        auto it = std::find(e.begin(), e.end(), text_);
        return it == e.end() ? -1 : static_cast<int>(it - e.begin());
    }
    return itemIndex_;
}

void Control::setItemIndex(int i)
{
    const int n = static_cast<int>(def_.entries.size());
    if (def_.kind == ControlKind::List) {
        setText(i >= 0 && i < n ? def_.entries[static_cast<std::size_t>(i)] : std::string());
        return;
    }
    if (i < -1 || i >= n)
        i = -1;
    if (itemIndex_ == i)
        return;
    itemIndex_ = i;
    notify();
}

std::string Control::selectedEntry() const
{
    const int i = itemIndex();
    if (i < 0 || i >= static_cast<int>(def_.entries.size()))
        return {};
    return def_.entries[static_cast<std::size_t>(i)];
}

int Control::clampValue(int v) const
{
    if (!bounded())
        return v;
    return std::clamp(v, def_.minValue, std::max(def_.minValue, def_.maxValue));
}

void Control::setValue(int v)
{
    v = clampValue(v);
    if (value_ == v)
        return;
    value_ = v;
    notify();
}

const std::string& Control::cell(int row, int column) const
{
    if (row < 0 || column < 0 || row >= static_cast<int>(cells_.size()))
        return kEmpty;
    const auto& r = cells_[static_cast<std::size_t>(row)];
    if (column >= static_cast<int>(r.size()))
        return kEmpty;
    return r[static_cast<std::size_t>(column)];
}

void Control::setCell(int row, int column, std::string text)
{
    if (row < 0 || column < 0 || column >= std::max(columnCount(), 1))
        return;
    if (row >= static_cast<int>(cells_.size()))
        cells_.resize(static_cast<std::size_t>(row) + 1);
    auto& r = cells_[static_cast<std::size_t>(row)];
    if (column >= static_cast<int>(r.size()))
        r.resize(static_cast<std::size_t>(column) + 1);
    if (r[static_cast<std::size_t>(column)] == text)
        return;
    r[static_cast<std::size_t>(column)] = std::move(text);
    notify();
}

void Control::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rowCount_ == rows)
        return;
    rowCount_ = rows;
    if (static_cast<int>(cells_.size()) < rows + 1)
        cells_.resize(static_cast<std::size_t>(rows) + 1);
    selectedRow_ = std::clamp(selectedRow_, 1, std::max(rows, 1));
    notify();
}

void Control::setSelectedRow(int row)
{
    row = std::clamp(row, 1, std::max(rowCount_, 1));
    if (selectedRow_ == row)
        return;
    selectedRow_ = row;
    notify();
}

ControlModel::ControlModel() : ControlModel(panelDefinitions()) {}

ControlModel::ControlModel(const std::vector<ControlDef>& panels)
{
    for (const ControlDef& p : panels) {
        panels_.push_back(std::make_unique<Control>(*this, nullptr, p));
        index(*panels_.back());
    }
}

ControlModel::~ControlModel() = default;

void ControlModel::index(Control& control)
{
    // The first control of a name wins, as a walk in definition order would find it.
    byName_.emplace(control.name(), &control);
    byUpperName_.emplace(text::toAsciiUpper(control.name()), &control);
    for (const auto& c : control.children())
        index(*c);
}

Control* ControlModel::panel(std::string_view name) const
{
    for (const auto& p : panels_)
        if (p->name() == name)
            return p.get();
    return nullptr;
}

Control* ControlModel::find(std::string_view name) const
{
    auto it = byName_.find(std::string(name));
    return it == byName_.end() ? nullptr : it->second;
}

Control* ControlModel::findIgnoreCase(std::string_view name) const
{
    auto it = byUpperName_.find(text::toAsciiUpper(name));
    return it == byUpperName_.end() ? nullptr : it->second;
}

std::vector<Control*> ControlModel::all() const
{
    std::vector<Control*> out;
    std::function<void(Control&)> walk = [&](Control& c) {
        out.push_back(&c);
        for (const auto& ch : c.children())
            walk(*ch);
    };
    for (const auto& p : panels_)
        walk(*p);
    return out;
}

void ControlModel::setHandler(const std::string& handlerName, Handler handler)
{
    handlers_[handlerName] = std::move(handler);
}

bool ControlModel::hasHandler(const std::string& handlerName) const
{
    return handlers_.count(handlerName) != 0;
}

bool ControlModel::fire(Control& control, ControlEvent event)
{
    const std::string& name = event == ControlEvent::Click ? control.onClick() : control.onChange();
    if (name.empty())
        return false;
    auto it = handlers_.find(name);
    if (it == handlers_.end() || !it->second)
        return false;
    it->second(control);
    return true;
}

void ControlModel::changed(const Control& control)
{
    if (observer_)
        observer_(control);
}

} // namespace orvanel
