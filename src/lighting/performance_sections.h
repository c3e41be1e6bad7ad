// Game mode with the Windows-key lock, key response time and USB report rate: the three lower
// sections of the main window's left-hand panel and the response-time drop-down list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/device_state_block.h"
#include "platform/canvas.h"
#include "skin/bit_slider.h"

namespace tarsel {

enum class GameModeClick : uint8_t { GameModeOn, GameModeOff, WinLockOn, WinLockOff };

// The Windows-key lock only holds while game mode is on; turning game mode on locks it.
void ApplyGameModeClick(DeviceStateBlock& block, GameModeClick click);

inline constexpr int kResponseListRows = 10;
inline constexpr int kResponseRowHeight = 20;
inline constexpr int kResponseListLeft = 27;
inline constexpr int kResponseListWidth = 220;

// Top of the response-time list for the lighting section's room a (30 folded, 225 unfolded).
constexpr int ResponseListTop(int a) {
  return a + 47;
}
// The row of the open list under (x, y), or nullopt outside it.
std::optional<int> ResponseListRowAt(int a, int x, int y);
// A click while the list is open: a row sets the response time; the list closes either way.
std::optional<uint8_t> ClickResponseList(DeviceStateBlock& block, int a, int x, int y);

// "2ms" .. "20ms" for rows 0..9.
std::u16string ResponseRowLabel(int row);

// The window state the sections are drawn from.
struct PerformanceView {
  bool chinese = false;
  bool gameModeCollapsed = false;
  bool responseTimeCollapsed = false;
  bool reportRateCollapsed = false;
  int a = 225;  // lighting section's room
  int d = 520;  // top of the report-rate section
  uint8_t responseRowHover = 255;
};

class PerformanceSections {
 public:
  explicit PerformanceSections(CBitSlider& reportRate) : reportRate_(reportRate) {}

  // The three sections. The report-rate slider follows its section when folds move it, and its
  // strip drawing copies its position into reportRate.
  void Paint(Canvas& canvas, DeviceStateBlock& block, const PerformanceView& view);
  // The open response-time list over everything of the panel; the lighting sliders it covers
  // are hidden.
  void PaintResponseList(Canvas& canvas, const PerformanceView& view, CBitSlider& speed,
                         CBitSlider& brightness) const;

 private:
  CBitSlider& reportRate_;
  int placedTop_ = 0;  // section top the slider was last placed for
};

}  // namespace tarsel
