#include "tagdialog/FrameBuilderSetup.h"

#include "tagdialog/FrameBuilder.h"
#include "tagdialog/OptionBuilder.h"

#include <memory>
#include <string>
#include <vector>

namespace orvanel::tagdialog {
namespace {

// Marks the loading of a row for as long as it lasts, also when it is left by an exception.
class LoadingScope {
public:
    explicit LoadingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~LoadingScope() { flag_ = false; }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

private:
    bool& flag_;
};

void setHeaders(Control& grid, const std::vector<std::string>& headers)
{
    for (std::size_t c = 0; c < headers.size(); ++c)
        grid.setCell(0, static_cast<int>(c), headers[c]);
}

} // namespace

void InitializePanel(ControlModel& model)
{
    if (Control* grid = model.find(frame::kGrid)) {
        setHeaders(*grid, {"No.", "フレーム名", "表示ページ", "scroll", "size変更", "size"});
        grid->setRowCount(2);
        for (int r = 1; r <= 2; ++r) {
            grid->setCell(r, frame::Number, std::to_string(r));
            grid->setCell(r, frame::Size, "50%");
        }
        grid->setSelectedRow(1);
    }
    for (std::string_view prefix : {kComboOptions, kListOptions}) {
        if (Control* grid = model.find("OpTag" + std::string(prefix))) {
            setHeaders(*grid, {"No.", "表示文字", "送信文字", "初期選択"});
            grid->setRowCount(1);
            grid->setCell(1, option::Number, "1");
            grid->setSelectedRow(1);
        }
    }
}

void installGridHandlers(ControlModel& model)
{
    // True while a selected row is being loaded into its editors.
    auto loading = std::make_shared<bool>(false);
    ControlModel* m = &model;

    // An editor's change writes into the grid, unless it comes from loading a row.
    auto edit = [loading, m](void (*apply)(ControlModel&)) {
        return [loading, m, apply](Control&) {
            if (!*loading)
                apply(*m);
        };
    };
    auto load = [loading, m](void (*apply)(ControlModel&)) {
        return [loading, m, apply](Control&) {
            LoadingScope scope(*loading);
            apply(*m);
        };
    };

    model.setHandler("OpTagFRAME_FRAMESET_FRAMEClick", load(frameRowSelected));
    model.setHandler("OpVal1FRAME_FRAMESET_FRAME_NUMChange", edit(frameCountChanged));
    model.setHandler("OpVal1FRAME_FRAMESET_FRAME_NAMEChange", edit(frameNameChanged));
    model.setHandler("OpVal1FRAME_FRAMESET_FRAME_SRCChange", edit(framePageChanged));
    model.setHandler("OpVal1FRAME_FRAMESET_FRAME_SCROLLChange", edit(frameScrollChanged));
    model.setHandler("OpTagFRAME_FRAMESET_FRAME_SIZEClick", edit(frameSizeBoxClicked));
    model.setHandler("OpVal1FRAME_FRAMESET_FRAME_SIZEChange", edit(frameSizeChanged));
    model.setHandler("OpVal2FRAME_FRAMESET_FRAME_SIZEChange", edit(frameSizeChanged));
    model.setHandler("OpTagFRAME_FRAMESET_FRAME_SIZECHANGEClick", edit(frameNoResizeClicked));

    for (std::string_view prefix : {kComboOptions, kListOptions}) {
        const std::string p(prefix);
        auto optionEdit = [loading, m, p](void (*apply)(ControlModel&, std::string_view)) {
            return [loading, m, p, apply](Control&) {
                if (!*loading)
                    apply(*m, p);
            };
        };
        model.setHandler("OpTag" + p + "Click", [loading, m, p](Control&) {
            LoadingScope scope(*loading);
            optionRowSelected(*m, p);
        });
        model.setHandler("OpVal1" + p + "_NUMChange", optionEdit(optionCountChanged));
        model.setHandler("OpVal1" + p + "_SELChange", optionEdit(optionShownChanged));
        model.setHandler("OpVal1" + p + "_VALUEChange", optionEdit(optionSentChanged));
        model.setHandler("OpTag" + p + "_SELECTEDClick", optionEdit(optionSelectedClicked));
    }
}

} // namespace orvanel::tagdialog
