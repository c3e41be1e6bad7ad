// The regions of the state block that the keyboard stores and the write sequence sends one by one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/device_state_block.h"

namespace tarsel {

enum class RegionKind : uint8_t {
  Palette,
  GameMode,
  ReportRate,
  ResponseTime,
  KeyMap,
  KeyEnable,
  MacroSlot,  // index = slot 0..31
  ColorPage,  // index = page 0..4
  Lighting,   // effect, speed, brightness, colorChoice, direction together
};

struct Region {
  RegionKind kind;
  uint8_t index = 0;
  bool operator==(const Region&) const = default;
};

// The regions whose bytes differ between live and saved, in the order the write sequence sends
// them (lighting last).
std::vector<Region> ChangedRegions(const DeviceStateBlock& live, const DeviceStateBlock& saved);

// Copies one region's bytes from one block to another.
void CopyRegion(const DeviceStateBlock& from, DeviceStateBlock& to, Region region);

// "palette", "macro slot 7", "colour page 2" ...: for messages to the user.
std::string RegionName(Region region);

}  // namespace tarsel
