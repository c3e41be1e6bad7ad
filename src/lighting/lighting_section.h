// The lighting section of the main window's left-hand panel and its effect drop-down list.
#pragma once

#include <cstdint>
#include <optional>

#include "config/device_state_block.h"
#include "platform/canvas.h"
#include "platform/geometry.h"
#include "skin/bit_slider.h"

namespace tarsel {

// Where the section's clickable parts sit (main-window client pixels, inclusive).
inline constexpr Rect kEffectListArea{28, 173, 248, 492};  // 16 rows of 20 pixels
inline constexpr int kEffectRowHeight = 20;
inline constexpr Point kLightingOrigin{19, 110};

// The window state the section is drawn from.
struct LightingSectionView {
  bool chinese = false;
  bool collapsed = false;
  bool effectListOpen = false;
  bool colorEditView = false;
  uint8_t effectRowHover = 255;  // 255 = none
};

// The sliders the section shows, hides and draws.
struct LightingSliders {
  CBitSlider& speed;
  CBitSlider& brightness;
};

// The row of the open effect list under (x, y), or nullopt outside the list.
std::optional<int> EffectListRowAt(int x, int y);

// A click while the effect list is open: picks the row's effect (colour choice follows it) or,
// outside the list, changes nothing. The list closes either way. Returns the picked code.
std::optional<uint8_t> ClickEffectList(DeviceStateBlock& block, int x, int y);

// The section, top to bottom. Drawing also normalises colorChoice and copies the visible
// sliders' positions into speed and brightness.
void PaintLightingSection(Canvas& canvas, DeviceStateBlock& block, const LightingSectionView& view,
                          LightingSliders sliders);

// The open effect list, drawn over everything of the panel.
void PaintEffectList(Canvas& canvas, const LightingSectionView& view, LightingSliders sliders);

}  // namespace tarsel
