// Key label table: for each key code (a Windows virtual-key code) its HID usage and short label.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

struct KeyLabel {
  uint8_t keyCode = 0;
  uint8_t usage = 0;  // 0 = none; 0x83, 0xCD, 0xE9, 0xEA stand for consumer functions
  std::u16string label;  // at most 99 code units
};

class KeyLabels {
 public:
  // Builds all 256 records (the table is read-only afterwards).
  static KeyLabels BuildKeyLabels();
  uint8_t UsageOf(uint8_t keyCode) const { return records_[keyCode].usage; }
  std::u16string_view LabelOf(uint8_t keyCode) const { return records_[keyCode].label; }
  const KeyLabel& Record(uint8_t keyCode) const { return records_[keyCode]; }

 private:
  std::array<KeyLabel, 256> records_{};
};

}  // namespace tarsel
