#pragma once
// The attribute panels of the tag dialog as data, and the live control model built from them.
//
// A ControlDef describes one control declaratively (kind, name, caption, hint, Tag number,
// bounds, entries, initial value, enabled state, children in definition order). ControlModel
// builds a tree of Control objects from the 24 panel descriptions; each Control carries the
// description and the control's current state. The tag dialog renders the model as widgets and
// keeps both in step; composition reads the model, so it runs without a display.

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvanel {

enum class ControlKind {
    Panel,        // a top-level attribute panel ("Panel" + key)
    NestedPanel,  // a sub-tag container ("OpPnl" + key)
    GroupBox,     // layout only ("Group...")
    Label,        // a switch that is always on
    CheckBox,     // a switch
    Edit,         // one-line text
    List,         // drop-down list with an editable text
    SpinEdit,     // whole number with optional bounds
    RadioGroup,   // a box of exclusive entries
    RadioButton,  // a single radio button (none of the panels uses one today)
    Grid,         // string grid: row 0 header, column 0 row numbers
    Button,       // picker button ("Ref"/"Col" + an edit's name)
};

const char* controlKindName(ControlKind kind);

struct Bounds {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct GridColumn {
    std::string header;
    int width = 20;
};

// How the layout rule places an item relative to the one before it in its container.
enum class LayoutBreak {
    None,    // below the previous item, in the same column
    Column,  // at the top of a new column beside the previous ones
    Band,    // in a new full-width band below everything placed so far
};

enum class ControlEvent { Click, Change };

struct ControlDef {
    ControlKind kind = ControlKind::Label;
    std::string name;
    std::string caption;                 // panels: the dialog's caption while shown
    std::string hint;                    // tool tip; names the HTML attribute
    int tag = 0;                         // the Tag number that modifies the control's role
    Bounds bounds;                       // relative to the parent; panels: 0,0,width,height
    std::vector<std::string> entries;    // list items / radio group entries
    std::string text;                    // initial text of edits and lists
    bool checked = false;                // check boxes, radio buttons
    int itemIndex = -1;                  // radio groups: the selected entry
    int value = 0;                       // spin edits
    int minValue = 0;                    // spin edits; min == max == 0 means no bound
    int maxValue = 0;
    bool enabled = true;
    int columns = 1;                     // radio groups: entry columns
    std::vector<GridColumn> gridColumns; // grids: column 0 is the fixed row-number column
    std::vector<std::vector<std::string>> cells; // grids: initial cells, row 0 the header
    int gridRows = 0;                    // grids: number of data rows (rows 1..gridRows)
    std::string onClick;                 // name of the handler run on click, if any
    std::string onChange;                // name of the handler run on change, if any
    std::string rowOf;                   // layout: joins the row of this control (by name)
    LayoutBreak layoutBreak = LayoutBreak::None;
    std::vector<ControlDef> children;    // in definition order
};

// The attribute key of a control name: the name without its first five characters.
std::string attributeKey(std::string_view controlName);

class ControlModel;

class Control {
public:
    Control(ControlModel& model, Control* parent, const ControlDef& def);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The description (fixed for the run).
    ControlKind kind() const { return def_.kind; }
    const std::string& name() const { return def_.name; }
    const std::string& caption() const { return def_.caption; }
    const std::string& hint() const { return def_.hint; }
    int tag() const { return def_.tag; }
    const Bounds& bounds() const { return def_.bounds; }
    const std::vector<std::string>& entries() const { return def_.entries; }
    int minValue() const { return def_.minValue; }
    int maxValue() const { return def_.maxValue; }
    bool bounded() const { return def_.minValue != 0 || def_.maxValue != 0; }
    int columns() const { return def_.columns; }
    const std::vector<GridColumn>& gridColumns() const { return def_.gridColumns; }
    const std::string& onClick() const { return def_.onClick; }
    const std::string& onChange() const { return def_.onChange; }
    const ControlDef& definition() const { return def_; }
    std::string key() const { return attributeKey(def_.name); }
    // Accessible name: the caption, or the hint when there is none, or the name.
    std::string accessibleName() const;

    // The tree.
    ControlModel& model() const { return *model_; }
    Control* parent() const { return parent_; }
    const std::vector<std::unique_ptr<Control>>& children() const { return children_; }
    // The direct child of that name (exact), or nullptr.
    Control* child(std::string_view name) const;
    // The children in the order composition visits them: all labels in definition order,
    // then every other child in definition order.
    std::vector<Control*> visitingOrder() const;
    // The panel (top-level) this control belongs to.
    const Control* panel() const;

    // State. Setters notify the model's observer when the state changes; they never run the
    // control's event handlers (ControlModel::fire does that).
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }  // panels
    void setVisible(bool on);

    // Edits: the text. Lists: the shown text (an entry, or what the user typed).
    const std::string& text() const { return text_; }
    void setText(std::string text);

    bool checked() const { return checked_; }
    void setChecked(bool on);

    // Lists: the index of the entry equal to the shown text, -1 when it is none.
    // Radio groups: the selected entry, -1 when none.
    int itemIndex() const;
    // Lists: shows entry i (i outside the entries shows the empty text). Radio groups: selects i.
    void setItemIndex(int i);
    // Radio groups: the text of the selected entry; empty when none is selected.
    std::string selectedEntry() const;

    // Spin edits: the number, kept inside the bounds when there are bounds.
    int value() const { return value_; }
    void setValue(int v);
    int clampValue(int v) const;

    // Grids: data rows 1..rowCount(); row 0 is the header, column 0 the row numbers.
    int rowCount() const { return rowCount_; }
    void setRowCount(int rows);  // cells of rows dropped are kept and come back when raised
    int columnCount() const { return static_cast<int>(def_.gridColumns.size()); }
    const std::string& cell(int row, int column) const;  // empty text outside the grid
    void setCell(int row, int column, std::string text);
    int selectedRow() const { return selectedRow_; }
    void setSelectedRow(int row);  // kept within 1..rowCount()

private:
    friend class ControlModel;
    void notify();

    ControlModel* model_;
    Control* parent_;
    ControlDef def_;  // children_ hold the children's own descriptions; def_.children is cleared
    std::vector<std::unique_ptr<Control>> children_;

    bool enabled_ = true;
    bool visible_ = true;
    std::string text_;
    bool checked_ = false;
    int itemIndex_ = -1;  // radio groups
    int value_ = 0;
    int rowCount_ = 0;
    int selectedRow_ = 1;
    std::vector<std::vector<std::string>> cells_;
};

// The live state of all 24 panels of the dialog.
class ControlModel {
public:
    using Observer = std::function<void(const Control&)>;
    using Handler = std::function<void(Control& sender)>;

    // Builds the model of the dialog's panels from panelDefinitions().
    ControlModel();
    explicit ControlModel(const std::vector<ControlDef>& panels);
    ControlModel(const ControlModel&) = delete;
    ControlModel& operator=(const ControlModel&) = delete;
    ~ControlModel();

    // The panels in definition order; all hidden at creation.
    const std::vector<std::unique_ptr<Control>>& panels() const { return panels_; }
    // The panel of exactly that name (case-sensitive), or nullptr.
    Control* panel(std::string_view name) const;
    // Any control of the dialog by exact name, or nullptr.
    Control* find(std::string_view name) const;
    // Any control of the dialog by name compared without regard to ASCII case, or nullptr.
    Control* findIgnoreCase(std::string_view name) const;
    // Every control of the dialog in definition order (depth first, panels included).
    std::vector<Control*> all() const;

    // Called after every state change of any control (widgets follow the model through it).
    void setObserver(Observer observer) { observer_ = std::move(observer); }
    // Registers the handler that controls naming `handlerName` in onClick/onChange run.
    void setHandler(const std::string& handlerName, Handler handler);
    bool hasHandler(const std::string& handlerName) const;
    // Runs the handler the control names for that event; false when it names none or none is
    // registered.
    bool fire(Control& control, ControlEvent event);

private:
    friend class Control;
    void changed(const Control& control);
    void index(Control& control);

    std::vector<std::unique_ptr<Control>> panels_;
    std::unordered_map<std::string, Control*> byName_;
    std::unordered_map<std::string, Control*> byUpperName_;
    std::map<std::string, Handler> handlers_;
    Observer observer_;
};

// The 24 attribute panels of the dialog, in the order the dialog holds them, laid out.
const std::vector<ControlDef>& panelDefinitions();

} // namespace orvanel
