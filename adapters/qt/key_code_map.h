// Windows virtual-key codes for the keys Qt reports, left and right modifiers told apart by
// their X11 key codes.
#pragma once

#include <cstdint>

namespace tarsel {

// 0 when the key has no code.
uint8_t VirtualKeyFor(int qtKey, uint32_t nativeScanCode);

}  // namespace tarsel
