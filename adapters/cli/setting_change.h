// Single settings of `tarselctl set`: parsing a name and value, and applying them to the block.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "config/device_state_block.h"

namespace tarsel {

enum class Setting : uint8_t {
  Effect,
  Speed,
  Brightness,
  ColorChoice,
  Direction,
  Palette,
  GameMode,
  WinLock,
  ResponseTime,
  ReportRate,
};

struct SettingChange {
  Setting setting;
  uint8_t value = 0;  // every setting but Palette
  uint8_t entry = 0;  // Palette: entry 0..6 (shown to users as 1..7)
  RgbColor color{};   // Palette
};

struct SettingError {
  std::string message;  // one line
};

// Parses "NAME VALUE [NAME VALUE ...]" (palette takes "palette N COLOUR"). Every change is
// checked before anything is applied.
std::variant<std::vector<SettingChange>, SettingError> ParseSettingChanges(
    const std::vector<std::string>& words);

// Applies the change to the live block with the lighting panel's rules (an effect that has no
// single colour forces multicolour, "Static" cannot be multicolour).
void ApplySettingChange(const SettingChange& change, DeviceStateBlock& block);

// The names `set` understands, for the usage text.
std::string SettingUsage();

}  // namespace tarsel
