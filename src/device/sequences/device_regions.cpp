#include "device/sequences/device_regions.h"

#include <cstddef>
#include <cstring>

namespace tarsel {

namespace {

struct Extent {
  std::size_t offset;
  std::size_t size;
};

Extent ExtentOf(Region region) {
  switch (region.kind) {
    case RegionKind::Palette:
      return {offsetof(DeviceStateBlock, palette), sizeof(DeviceStateBlock::palette)};
    case RegionKind::GameMode:
      return {offsetof(DeviceStateBlock, gameMode), 1};
    case RegionKind::ReportRate:
      return {offsetof(DeviceStateBlock, reportRate), 1};
    case RegionKind::ResponseTime:
      return {offsetof(DeviceStateBlock, responseTime), 1};
    case RegionKind::KeyMap:
      return {offsetof(DeviceStateBlock, keyMap), sizeof(DeviceStateBlock::keyMap)};
    case RegionKind::KeyEnable:
      return {offsetof(DeviceStateBlock, keyEnable), kKeyEnableSize};
    case RegionKind::MacroSlot:
      return {offsetof(DeviceStateBlock, macroSlots) +
                  (region.index % kMacroSlotCount) * kMacroSlotSize,
              kMacroSlotSize};
    case RegionKind::ColorPage:
      return {offsetof(DeviceStateBlock, colorPages) +
                  (region.index % kColorPageCount) * kColorPageSize,
              kColorPageSize};
    case RegionKind::Lighting:
      return {kLightingOffset, kLightingSize};
  }
  return {0, 0};
}

bool Differs(const DeviceStateBlock& live, const DeviceStateBlock& saved, Region region) {
  const Extent extent = ExtentOf(region);
  return std::memcmp(reinterpret_cast<const uint8_t*>(&live) + extent.offset,
                     reinterpret_cast<const uint8_t*>(&saved) + extent.offset, extent.size) != 0;
}

}  // namespace

std::vector<Region> ChangedRegions(const DeviceStateBlock& live, const DeviceStateBlock& saved) {
  std::vector<Region> order = {{RegionKind::Palette},    {RegionKind::GameMode},
                               {RegionKind::ReportRate}, {RegionKind::ResponseTime},
                               {RegionKind::KeyMap},     {RegionKind::KeyEnable}};
  for (uint8_t slot = 0; slot < kMacroSlotCount; ++slot) {
    order.push_back({RegionKind::MacroSlot, slot});
  }
  for (uint8_t page = 0; page < kColorPageCount; ++page) {
    order.push_back({RegionKind::ColorPage, page});
  }
  order.push_back({RegionKind::Lighting});

  std::vector<Region> changed;
  for (const Region& region : order) {
    if (Differs(live, saved, region)) changed.push_back(region);
  }
  return changed;
}

void CopyRegion(const DeviceStateBlock& from, DeviceStateBlock& to, Region region) {
  const Extent extent = ExtentOf(region);
  std::memcpy(reinterpret_cast<uint8_t*>(&to) + extent.offset,
              reinterpret_cast<const uint8_t*>(&from) + extent.offset, extent.size);
}

std::string RegionName(Region region) {
  switch (region.kind) {
    case RegionKind::Palette:
      return "palette";
    case RegionKind::GameMode:
      return "game mode";
    case RegionKind::ReportRate:
      return "report rate";
    case RegionKind::ResponseTime:
      return "response time";
    case RegionKind::KeyMap:
      return "key map";
    case RegionKind::KeyEnable:
      return "key enable";
    case RegionKind::MacroSlot:
      return "macro slot " + std::to_string(region.index);
    case RegionKind::ColorPage:
      return "colour page " + std::to_string(region.index);
    case RegionKind::Lighting:
      return "lighting";
  }
  return "region";
}

}  // namespace tarsel
