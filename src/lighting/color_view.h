// Per-key colour layouts: the Keymap/DIY view switch, the colour of a key in the current layout,
// and the keyboard picture drawn in those colours.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "config/device_state_block.h"
#include "platform/canvas.h"
#include "platform/geometry.h"

namespace tarsel {

// The view switch beside the DIY effects (inclusive, main-window client pixels).
inline constexpr Rect kKeymapViewSwitch{28, 200, 42, 214};
inline constexpr Rect kDiyViewSwitch{130, 200, 144, 214};

// Layout 0..4 of a DIY effect; nullopt for every other code.
std::optional<std::size_t> ColorLayoutOf(uint8_t effect);

// Key index k's colour in layout n; black means the key has no colour of its own.
Rgb KeyColor(const DeviceStateBlock& block, std::size_t layout, std::size_t k);
void SetKeyColor(DeviceStateBlock& block, std::size_t layout, std::size_t k, Rgb colour);

// "Keymap" and "DIY" with the picture of the active one.
void PaintViewSwitch(Canvas& canvas, bool colorEditView);

// The keys of the current DIY layout in their colours with their labels, and a white outline
// round the key under the pointer (hoveredKey 255 = none). Draws nothing for other effects.
void PaintColorView(Canvas& canvas, const DeviceStateBlock& block, uint8_t hoveredKey);

}  // namespace tarsel
