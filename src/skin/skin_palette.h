// The fixed text and fill colours every skinned window draws with.
#pragma once

#include "platform/geometry.h"

namespace tarsel {

inline constexpr Rgb kLabelTextColour{53, 53, 53};   // ordinary labels
inline constexpr Rgb kAccentTextColour{239, 14, 2};  // the Save label, list entries
inline constexpr Rgb kMarkTextColour{255, 0, 0};     // profile label, per-key colour labels
inline constexpr Rgb kHelpTextColour{0, 0, 0};       // the help panel
inline constexpr Rgb kListRowColour{59, 59, 59};     // a drop-down row
inline constexpr Rgb kListRowHoverColour{80, 0, 0};  // the row under the pointer
inline constexpr Rgb kUnavailableSwatchColour{192, 192, 192};  // a swatch the effect ignores

}  // namespace tarsel
