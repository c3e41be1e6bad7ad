// The 108 physical keys: default key code, matrix position, key-enable bit, factory map entry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/device_state_block.h"

namespace tarsel {

inline constexpr std::size_t kKeyCount = 108;

struct KeyTableEntry {
  uint8_t defaultKeyCode;  // a Windows virtual-key code
  uint16_t position;  // matrix position value m, a multiple of 4; also the colour-page offset
  uint8_t enableBit;  // bit index in keyEnable
  KeyMapEntry defaultEntry;
};

// Indexed by key index 0..107.
extern const std::array<KeyTableEntry, kKeyCount> KeyTable;

// Key-map entry index of a matrix position: rows of 21 columns, positions run column by column.
constexpr std::size_t MapEntryIndex(uint16_t position) {
  const std::size_t p = position / 4;
  return (p % 6) * 21 + (p / 6);
}

}  // namespace tarsel
