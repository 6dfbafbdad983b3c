#pragma once
// The frame grid of the frameset panel: one row per frame (name, page, scrolling, no-resize,
// size), edited through the controls under the grid, and turned into one frame line per row
// when the tag is composed. The split-size text (all sizes joined by ",") follows the size
// column and the number of frames.

#include "tagdialog/PanelModel.h"

#include <string>
#include <string_view>

namespace orvanel::tagdialog {

namespace frame {
inline constexpr std::string_view kGrid = "OpTagFRAME_FRAMESET_FRAME";
inline constexpr std::string_view kCount = "OpVal1FRAME_FRAMESET_FRAME_NUM";
inline constexpr std::string_view kName = "OpVal1FRAME_FRAMESET_FRAME_NAME";
inline constexpr std::string_view kPage = "OpVal1FRAME_FRAMESET_FRAME_SRC";
inline constexpr std::string_view kScroll = "OpVal1FRAME_FRAMESET_FRAME_SCROLL";
inline constexpr std::string_view kSizeBox = "OpTagFRAME_FRAMESET_FRAME_SIZE";
inline constexpr std::string_view kSize = "OpVal1FRAME_FRAMESET_FRAME_SIZE";
inline constexpr std::string_view kUnit = "OpVal2FRAME_FRAMESET_FRAME_SIZE";
inline constexpr std::string_view kNoResize = "OpTagFRAME_FRAMESET_FRAME_SIZECHANGE";
inline constexpr std::string_view kSplitSizes = "OpVal1FRAME_FRAMESET_BUNKATSU";
// Grid columns.
enum Column { Number = 0, Name = 1, Page = 2, Scroll = 3, NoResize = 4, Size = 5 };
} // namespace frame

// One line per frame row, each preceded by "%CR%": the template with the name after
// `NAME ="` (which becomes `NAME="`), the page after `SRC="`, and SCROLLING and noresize put
// in front of its first ">" when the row has them.
std::string GetFRAMEOption(const Control& grid, std::string_view templ);

// The size cells of rows 1..n joined by ",".
std::string splitSizeText(const Control& grid);

// The events of the frameset panel, on the model. Each does nothing when the panel's
// controls are missing.
void frameCountChanged(ControlModel& model);
void frameRowSelected(ControlModel& model);
void frameNameChanged(ControlModel& model);
void framePageChanged(ControlModel& model);
void frameScrollChanged(ControlModel& model);
void frameSizeBoxClicked(ControlModel& model);
void frameSizeChanged(ControlModel& model);
void frameNoResizeClicked(ControlModel& model);

} // namespace orvanel::tagdialog
