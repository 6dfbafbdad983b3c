#include "tagdialog/PanelLayout.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace orvanel {

namespace {

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

bool isBox(const ControlDef& c)
{
    return c.kind == ControlKind::GroupBox || c.kind == ControlKind::NestedPanel ||
           c.kind == ControlKind::RadioGroup || c.kind == ControlKind::Grid;
}

bool isSwitch(const ControlDef& c)
{
    return c.kind == ControlKind::Label || c.kind == ControlKind::CheckBox;
}

bool isSecondValue(const ControlDef& c)
{
    return startsWith(c.name, "OpVal2") || startsWith(c.name, "OoVal2");
}

// The key a value control ("OpVal1KEY") belongs to, or empty.
std::string valueKey(const std::string& name)
{
    for (std::string_view p : {"OpVal1", "OpVal2", "OoVal1", "OoVal2"})
        if (startsWith(name, p))
            return name.substr(6);
    return {};
}

bool containsGrid(const ControlDef& c)
{
    if (c.kind == ControlKind::Grid)
        return true;
    return std::any_of(c.children.begin(), c.children.end(), containsGrid);
}

enum class ItemType { Row, Flow, Box };

struct Item {
    ItemType type = ItemType::Row;
    int switchIndex = -1;          // rows and boxes: the leading control
    std::vector<int> members;      // rows: values and pickers; flows: the check boxes
    LayoutBreak brk = LayoutBreak::None;
    bool stretchy = false;
};

// Which control's row a non-switch control joins, by name; empty when it leads its own row.
std::string ownerOf(const std::vector<ControlDef>& children, const ControlDef& c)
{
    if (!c.rowOf.empty())
        return c.rowOf;
    auto byName = [&](const std::string& n) -> const ControlDef* {
        for (const ControlDef& d : children)
            if (d.name == n)
                return &d;
        return nullptr;
    };
    if (startsWith(c.name, "Ref") || startsWith(c.name, "Col")) {
        if (const ControlDef* target = byName(c.name.substr(3))) {
            if (isSwitch(*target))
                return target->name;
            std::string owner = ownerOf(children, *target);
            return owner.empty() ? target->name : owner;
        }
        return {};
    }
    const std::string key = valueKey(c.name);
    if (key.empty())
        return {};
    for (const char* p : {"OpTag", "OoTag"})
        if (const ControlDef* s = byName(p + key); s && isSwitch(*s))
            return s->name;
    // A second value without a switch stands beside its first value.
    if (isSecondValue(c)) {
        const std::string first = (startsWith(c.name, "OpVal2") ? "OpVal1" : "OoVal1") + key;
        if (byName(first))
            return first;
    }
    return {};
}

std::vector<Item> makeItems(const std::vector<ControlDef>& children)
{
    const int n = static_cast<int>(children.size());
    std::vector<int> owner(static_cast<std::size_t>(n), -1);
    for (int i = 0; i < n; ++i) {
        const ControlDef& c = children[static_cast<std::size_t>(i)];
        if (isBox(c) || isSwitch(c))
            continue;
        std::string o = ownerOf(children, c);
        // Follow a chain (picker -> edit -> switch) to the control that leads the row.
        for (int guard = 0; !o.empty() && guard < 4; ++guard) {
            int j = 0;
            while (j < n && children[static_cast<std::size_t>(j)].name != o)
                ++j;
            if (j == n || j == i)
                break;
            owner[static_cast<std::size_t>(i)] = j;
            const ControlDef& oc = children[static_cast<std::size_t>(j)];
            if (isSwitch(oc) || isBox(oc))
                break;
            o = ownerOf(children, oc);
        }
    }
    std::vector<Item> items;
    std::vector<int> itemOf(static_cast<std::size_t>(n), -1);
    for (int i = 0; i < n; ++i) {
        const ControlDef& c = children[static_cast<std::size_t>(i)];
        int o = owner[static_cast<std::size_t>(i)];
        if (o >= 0 && itemOf[static_cast<std::size_t>(o)] >= 0 &&
            items[static_cast<std::size_t>(itemOf[static_cast<std::size_t>(o)])].type == ItemType::Row) {
            items[static_cast<std::size_t>(itemOf[static_cast<std::size_t>(o)])].members.push_back(i);
            itemOf[static_cast<std::size_t>(i)] = itemOf[static_cast<std::size_t>(o)];
            continue;
        }
        Item item;
        item.type = isBox(c) ? ItemType::Box : ItemType::Row;
        item.brk = c.layoutBreak;
        item.stretchy = containsGrid(c);
        if (isSwitch(c) || isBox(c))
            item.switchIndex = i;
        else
            item.members.push_back(i);
        itemOf[static_cast<std::size_t>(i)] = static_cast<int>(items.size());
        items.push_back(std::move(item));
    }
    // Members that were defined before the control leading their row.
    for (int i = 0; i < n; ++i) {
        int o = owner[static_cast<std::size_t>(i)];
        if (o < 0 || itemOf[static_cast<std::size_t>(o)] == itemOf[static_cast<std::size_t>(i)])
            continue;
        const int target = itemOf[static_cast<std::size_t>(o)];
        if (target < 0 || items[static_cast<std::size_t>(target)].type != ItemType::Row)
            continue;
        const int from = itemOf[static_cast<std::size_t>(i)];
        auto& fm = items[static_cast<std::size_t>(from)].members;
        fm.erase(std::remove(fm.begin(), fm.end(), i), fm.end());
        auto& tm = items[static_cast<std::size_t>(target)].members;
        tm.insert(std::upper_bound(tm.begin(), tm.end(), i), i);
        itemOf[static_cast<std::size_t>(i)] = target;
    }
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const Item& it) {
                                   return it.type == ItemType::Row && it.switchIndex < 0 &&
                                          it.members.empty();
                               }),
                items.end());
    // Consecutive check boxes without values share rows.
    std::vector<Item> merged;
    for (Item& it : items) {
        const bool bare = it.type == ItemType::Row && it.members.empty() && it.switchIndex >= 0 &&
                          children[static_cast<std::size_t>(it.switchIndex)].kind == ControlKind::CheckBox;
        if (bare && !merged.empty() && merged.back().type == ItemType::Flow &&
            it.brk == LayoutBreak::None) {
            merged.back().members.push_back(it.switchIndex);
            continue;
        }
        if (bare) {
            Item flow;
            flow.type = ItemType::Flow;
            flow.brk = it.brk;
            flow.members.push_back(it.switchIndex);
            merged.push_back(std::move(flow));
            continue;
        }
        merged.push_back(std::move(it));
    }
    return merged;
}

struct Layouter {
    const LayoutMetrics& m;

    int flowRows(const std::vector<ControlDef>& children, const Item& item, int width) const
    {
        int rows = 1, x = 0;
        for (int idx : item.members) {
            const int w = captionWidthNeeded(children[static_cast<std::size_t>(idx)], m);
            if (x > 0 && x + w > width) {
                ++rows;
                x = 0;
            }
            x += w + m.itemGap * 2;
        }
        return rows;
    }

    int groupTop(const ControlDef& g) const { return g.caption.empty() ? m.groupBottom + 2 : m.groupTop; }

    int boxHeight(const ControlDef& c, int width) const
    {
        switch (c.kind) {
        case ControlKind::GroupBox:
            return groupTop(c) + contentHeight(c.children, width - 2 * m.groupSide) + m.groupBottom;
        case ControlKind::NestedPanel:
            return contentHeight(c.children, width);
        case ControlKind::RadioGroup: {
            const int cols = std::max(c.columns, 1);
            const int lines = (static_cast<int>(c.entries.size()) + cols - 1) / cols;
            return m.groupTop + lines * m.radioRow + m.groupBottom;
        }
        case ControlKind::Grid:
            return m.gridRowHeight * (1 + m.gridMinRows) + 4;
        default:
            return m.rowHeight;
        }
    }

    // Members of a row, split into lines that fit beside the switch.
    std::vector<std::vector<int>> rowLines(const std::vector<ControlDef>& children, const Item& it,
                                           int avail) const
    {
        std::vector<std::vector<int>> lines(1);
        int used = 0;
        for (int idx : it.members) {
            const ControlDef& c = children[static_cast<std::size_t>(idx)];
            const int fw = fixedWidth(c);
            const int need = fw ? fw : m.minFlexible;
            if (!lines.back().empty() && used + m.itemGap + need > avail) {
                lines.emplace_back();
                used = 0;
            }
            used += (lines.back().empty() ? 0 : m.itemGap) + need;
            lines.back().push_back(idx);
        }
        return lines;
    }

    // The width of a row's switch: the column's switch width, or more for a long caption as
    // long as the row's values still fit on one line beside it.
    int rowSwitch(const std::vector<ControlDef>& children, const Item& it, int width, int sw) const
    {
        if (it.switchIndex < 0)
            return 0;
        if (it.members.empty())
            return width;
        const int need = captionWidthNeeded(children[static_cast<std::size_t>(it.switchIndex)], m);
        if (need <= sw)
            return sw;
        int members = 0;
        for (int idx : it.members) {
            const int fw = fixedWidth(children[static_cast<std::size_t>(idx)]);
            members += (fw ? fw : m.minFlexible) + m.itemGap;
        }
        return std::max(sw, std::min(need, width - members));
    }

    int rowAvail(const std::vector<ControlDef>& children, const Item& it, int width, int sw) const
    {
        return it.switchIndex >= 0 ? width - rowSwitch(children, it, width, sw) - m.itemGap : width;
    }

    int itemHeight(const std::vector<ControlDef>& children, const Item& it, int width, int sw = 0) const
    {
        switch (it.type) {
        case ItemType::Row: {
            const int lines = static_cast<int>(rowLines(children, it, rowAvail(children, it, width, sw)).size());
            return lines * m.rowHeight + (lines - 1) * m.rowGap;
        }
        case ItemType::Flow: {
            const int rows = flowRows(children, it, width);
            return rows * m.rowHeight + (rows - 1) * m.rowGap;
        }
        case ItemType::Box: return boxHeight(children[static_cast<std::size_t>(it.switchIndex)], width);
        }
        return m.rowHeight;
    }

    // Bands of columns of item indices.
    using Column = std::vector<int>;
    using Band = std::vector<Column>;

    static std::vector<Band> bands(const std::vector<Item>& items)
    {
        std::vector<Band> out;
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            const LayoutBreak b = items[static_cast<std::size_t>(i)].brk;
            if (out.empty() || b == LayoutBreak::Band)
                out.push_back(Band{Column{}});
            else if (b == LayoutBreak::Column && !out.back().back().empty())
                out.back().push_back(Column{});
            out.back().back().push_back(i);
        }
        return out;
    }

    int columnWidth(int width, std::size_t columns) const
    {
        const int n = static_cast<int>(columns);
        return (width - (n - 1) * m.columnGap) / n;
    }

    int columnHeight(const std::vector<ControlDef>& children, const std::vector<Item>& items,
                     const Column& col, int width) const
    {
        const int sw = switchWidth(children, items, col, width);
        int h = 0;
        for (std::size_t k = 0; k < col.size(); ++k)
            h += (k ? m.rowGap : 0) + itemHeight(children, items[static_cast<std::size_t>(col[k])], width, sw);
        return h;
    }

    int contentHeight(const std::vector<ControlDef>& children, int width) const
    {
        const std::vector<Item> items = makeItems(children);
        int total = 0;
        const auto bs = bands(items);
        for (std::size_t b = 0; b < bs.size(); ++b) {
            const int cw = columnWidth(width, bs[b].size());
            int bh = 0;
            for (const Column& col : bs[b])
                bh = std::max(bh, columnHeight(children, items, col, cw));
            total += (b ? m.rowGap : 0) + bh;
        }
        return total;
    }

    int switchWidth(const std::vector<ControlDef>& children, const std::vector<Item>& items,
                    const Column& col, int width) const
    {
        int need = 0;
        for (int i : col) {
            const Item& it = items[static_cast<std::size_t>(i)];
            if (it.type == ItemType::Row && it.switchIndex >= 0 && !it.members.empty())
                need = std::max(need, captionWidthNeeded(children[static_cast<std::size_t>(it.switchIndex)], m));
        }
        return std::min(need, width * m.switchShare / 100);
    }

    int fixedWidth(const ControlDef& c) const
    {
        if (c.kind == ControlKind::Button)
            return m.pickerWidth;
        if (c.kind == ControlKind::SpinEdit)
            return m.spinWidth;
        if (c.kind == ControlKind::List && isSecondValue(c))
            return m.unitWidth;
        return 0;  // takes a share of the rest
    }

    void placeRow(std::vector<ControlDef>& children, const Item& it, int x, int y, int width, int sw) const
    {
        int cx = x;
        if (it.switchIndex >= 0) {
            ControlDef& s = children[static_cast<std::size_t>(it.switchIndex)];
            const int w = rowSwitch(children, it, width, sw);
            s.bounds = {x, y, w, m.rowHeight};
            cx = x + w + m.itemGap;
        }
        const int avail = rowAvail(children, it, width, sw);
        int ly = y;
        for (const std::vector<int>& line : rowLines(children, it, avail)) {
            int fixed = 0, flexible = 0;
            for (int idx : line) {
                const int fw = fixedWidth(children[static_cast<std::size_t>(idx)]);
                fixed += fw;
                flexible += fw == 0;
            }
            const int gaps = static_cast<int>(line.size()) - 1;
            const int share = flexible ? (avail - fixed - gaps * m.itemGap) / flexible : 0;
            // A line of fixed-width controls that is still too wide shrinks them evenly.
            const int room = avail - gaps * m.itemGap;
            int lx = cx;
            for (int idx : line) {
                ControlDef& c = children[static_cast<std::size_t>(idx)];
                int w = fixedWidth(c);
                if (w == 0)
                    w = share;
                else if (!flexible && fixed > room)
                    w = w * room / fixed;
                c.bounds = {lx, ly, w, m.rowHeight};
                lx += w + m.itemGap;
            }
            ly += m.rowHeight + m.rowGap;
        }
    }

    void placeFlow(std::vector<ControlDef>& children, const Item& it, int x, int y, int width) const
    {
        int cx = 0, cy = y;
        // Spread the boxes evenly when they all fit on one line.
        const int count = static_cast<int>(it.members.size());
        const bool oneLine = flowRows(children, it, width) == 1;
        for (int k = 0; k < count; ++k) {
            ControlDef& c = children[static_cast<std::size_t>(it.members[static_cast<std::size_t>(k)])];
            int w = captionWidthNeeded(c, m);
            if (oneLine) {
                const int slot = width / count;
                c.bounds = {x + k * slot, y, std::max(std::min(slot - m.itemGap, width), std::min(w, slot)), m.rowHeight};
                continue;
            }
            if (cx > 0 && cx + w > width) {
                cx = 0;
                cy += m.rowHeight + m.rowGap;
            }
            c.bounds = {x + cx, cy, std::min(w, width), m.rowHeight};
            cx += w + m.itemGap * 2;
        }
    }

    void placeBox(ControlDef& c, int x, int y, int width, int height) const
    {
        c.bounds = {x, y, width, height};
        if (c.kind == ControlKind::GroupBox) {
            const int top = groupTop(c);
            place(c.children, m.groupSide, top, width - 2 * m.groupSide, height - top - m.groupBottom);
        } else if (c.kind == ControlKind::NestedPanel) {
            place(c.children, 0, 0, width, height);
        }
    }

    void place(std::vector<ControlDef>& children, int x0, int y0, int width, int height) const
    {
        const std::vector<Item> items = makeItems(children);
        const auto bs = bands(items);
        const int natural = contentHeight(children, width);
        int extra = std::max(0, height - natural);
        int y = y0;
        for (std::size_t b = 0; b < bs.size(); ++b) {
            const Band& band = bs[b];
            const int cw = columnWidth(width, band.size());
            int bh = 0;
            bool bandStretchy = false;
            for (const Column& col : band) {
                bh = std::max(bh, columnHeight(children, items, col, cw));
                for (int i : col)
                    bandStretchy = bandStretchy || items[static_cast<std::size_t>(i)].stretchy;
            }
            int bandExtra = 0;
            if (bandStretchy) {
                bandExtra = extra;
                extra = 0;
            }
            for (std::size_t c = 0; c < band.size(); ++c) {
                const Column& col = band[c];
                const int cx = x0 + static_cast<int>(c) * (cw + m.columnGap);
                const int sw = switchWidth(children, items, col, cw);
                int colExtra = bh + bandExtra - columnHeight(children, items, col, cw);
                bool colStretchy = false;
                for (int i : col)
                    colStretchy = colStretchy || items[static_cast<std::size_t>(i)].stretchy;
                if (!colStretchy)
                    colExtra = 0;
                int cy = y;
                for (int i : col) {
                    const Item& it = items[static_cast<std::size_t>(i)];
                    int h = itemHeight(children, it, cw, sw);
                    if (it.stretchy) {
                        h += colExtra;
                        colExtra = 0;
                    }
                    switch (it.type) {
                    case ItemType::Row: placeRow(children, it, cx, cy, cw, sw); break;
                    case ItemType::Flow: placeFlow(children, it, cx, cy, cw); break;
                    case ItemType::Box:
                        placeBox(children[static_cast<std::size_t>(it.switchIndex)], cx, cy, cw, h);
                        break;
                    }
                    cy += h + m.rowGap;
                }
            }
            y += bh + bandExtra + m.rowGap;
        }
    }
};

std::u32string decodeUtf8(std::string_view s)
{
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < len && i + static_cast<std::size_t>(k) < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
        out.push_back(cp);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

} // namespace

int estimateTextWidth(std::string_view utf8, const LayoutMetrics& m)
{
    int w = 0;
    for (char32_t cp : decodeUtf8(utf8)) {
        const bool narrow = cp < 0x1100 || (cp >= 0xFF61 && cp <= 0xFF9F);
        w += narrow ? m.narrowChar : m.wideChar;
    }
    return w;
}

int captionWidthNeeded(const ControlDef& def, const LayoutMetrics& m)
{
    const int text = estimateTextWidth(def.caption, m);
    switch (def.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: return text + m.indicator;
    case ControlKind::Label: return text + 4;
    default: return text;
    }
}

void layoutPanel(ControlDef& panel, const LayoutMetrics& m)
{
    Layouter l{m};
    l.place(panel.children, m.margin, m.margin, panel.bounds.w - 2 * m.margin,
            panel.bounds.h - 2 * m.margin);
}

namespace {

bool overlaps(const Bounds& a, const Bounds& b)
{
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

void check(const ControlDef& c, const LayoutMetrics& m, std::vector<LayoutProblem>& out)
{
    for (const ControlDef& ch : c.children) {
        const Bounds& b = ch.bounds;
        if (b.w <= 0 || b.h <= 0)
            out.push_back({ch.name, "has no size"});
        if (b.x < 0 || b.y < 0 || b.right() > c.bounds.w || b.bottom() > c.bounds.h)
            out.push_back({ch.name, "is cut by " + c.name});
        if ((ch.kind == ControlKind::CheckBox || ch.kind == ControlKind::Label) &&
            captionWidthNeeded(ch, m) > b.w)
            out.push_back({ch.name, "caption does not fit"});
        if (ch.kind == ControlKind::RadioGroup) {
            int widest = 0;
            for (const std::string& e : ch.entries)
                widest = std::max(widest, estimateTextWidth(e, m) + m.indicator);
            if (std::max(ch.columns, 1) * widest + 2 * m.groupSide > b.w)
                out.push_back({ch.name, "entries do not fit"});
        }
        check(ch, m, out);
    }
    for (std::size_t i = 0; i < c.children.size(); ++i)
        for (std::size_t j = i + 1; j < c.children.size(); ++j)
            if (overlaps(c.children[i].bounds, c.children[j].bounds))
                out.push_back({c.children[i].name, "overlaps " + c.children[j].name});
}

} // namespace

std::vector<LayoutProblem> checkLayout(const ControlDef& panel, const LayoutMetrics& m)
{
    std::vector<LayoutProblem> out;
    check(panel, m, out);
    return out;
}

DialogGeometry dialogGeometry(int panelWidth, int panelHeight)
{
    constexpr int buttonWidth = 75;
    constexpr int buttonHeight = 25;
    DialogGeometry g;
    g.panel = {10, 10, panelWidth, panelHeight};
    g.ok = {panelWidth - 145, panelHeight + 20, buttonWidth, buttonHeight};
    g.cancel = {panelWidth - 65, panelHeight + 20, buttonWidth, buttonHeight};
    g.width = panelWidth + 25;
    g.height = panelHeight + 80;
    return g;
}

} // namespace orvanel
