#include "device/command_set.h"

#include <algorithm>
#include <vector>

#include "config/configuration.h"

namespace tarsel {
namespace {

constexpr std::size_t kKeyMapPages = 8;
constexpr std::size_t kMacroSlotPages = 3;
constexpr std::size_t kColorPagePages = 8;
// The keyboard carries the lighting speed reversed: 10 - speed.
constexpr uint8_t kSpeedBase = 10;

template <typename Field>
std::span<const uint8_t> BytesOf(const Field& field) {
  return {reinterpret_cast<const uint8_t*>(&field), sizeof(field)};
}

template <typename Field>
std::span<uint8_t> BytesOf(Field& field) {
  return {reinterpret_cast<uint8_t*>(&field), sizeof(field)};
}

static_assert(sizeof(DeviceStateBlock::keyMap) == kKeyMapPages * kPageDataSize);
static_assert(sizeof(MacroSlot) == kMacroSlotPages * kPageDataSize);
static_assert(sizeof(ColorPage) == kColorPagePages * kPageDataSize);
static_assert(kKeyEnableSize <= kPageDataSize);

}  // namespace

bool CommandSet::Send(CommandCode command, uint8_t p1, uint8_t p2, uint8_t p3, uint8_t p4,
                      uint8_t p5, uint8_t p6) {
  return link_.SendFeature(static_cast<uint8_t>(command), p1, p2, p3, p4, p5, p6);
}

bool CommandSet::WritePages(std::span<const uint8_t> region, PagePause pacing, int pauseMs) {
  const std::size_t pageCount = (region.size() + kPageDataSize - 1) / kPageDataSize;
  for (std::size_t j = 0; j < pageCount; ++j) {
    PageData page{};  // a short region is padded with zeros
    const auto chunk = region.subspan(j * kPageDataSize,
                                      std::min(kPageDataSize, region.size() - j * kPageDataSize));
    std::copy(chunk.begin(), chunk.end(), page.begin());
    if (!link_.WritePage(page)) return false;
    const bool last = j + 1 == pageCount;
    if (pacing == PagePause::AfterEach || (pacing == PagePause::Between && !last)) Pause(pauseMs);
  }
  return true;
}

bool CommandSet::ReadPages(std::span<uint8_t> destination, std::size_t pageCount, PagePause pacing,
                           int pauseMs) {
  std::vector<uint8_t> received(pageCount * kPageDataSize);
  for (std::size_t j = 0; j < pageCount; ++j) {
    PageData page{};
    if (!link_.ReadPage(page)) return false;
    std::copy(page.begin(), page.end(), received.begin() + j * kPageDataSize);
    const bool last = j + 1 == pageCount;
    if (pacing == PagePause::AfterEach || (pacing == PagePause::Between && !last)) Pause(pauseMs);
  }
  std::copy_n(received.begin(), std::min(destination.size(), received.size()), destination.begin());
  return true;
}

bool CommandSet::SetReportRate(const DeviceStateBlock& block) {
  if (!Send(CommandCode::SetReportRate, block.reportRate)) return false;
  Pause(10);
  return true;
}

bool CommandSet::GetReportRate(DeviceStateBlock& block) {
  FeatureReport reply{};
  if (!Send(CommandCode::GetReportRate)) return false;
  Pause(10);
  if (!Fetch(reply)) return false;
  Pause(10);
  block.reportRate = reply[2];
  return true;
}

bool CommandSet::SetResponseTime(const DeviceStateBlock& block) {
  if (!Send(CommandCode::SetResponseTime, block.responseTime)) return false;
  Pause(10);
  return true;
}

bool CommandSet::GetResponseTime(DeviceStateBlock& block) {
  FeatureReport reply{};
  if (!Send(CommandCode::GetResponseTime)) return false;
  Pause(10);
  if (!Fetch(reply)) return false;
  Pause(10);
  block.responseTime = reply[2];
  return true;
}

bool CommandSet::SetLighting(const DeviceStateBlock& block, LightingPhase phase) {
  const uint8_t brightness = phase == LightingPhase::Close ? block.brightness : 0;
  if (!Send(CommandCode::SetLighting, static_cast<uint8_t>(phase), block.effect,
            static_cast<uint8_t>(kSpeedBase - block.speed), brightness, block.colorChoice,
            block.direction)) {
    return false;
  }
  Pause(10);
  return true;
}

bool CommandSet::GetLighting(DeviceStateBlock& block) {
  FeatureReport reply{};
  if (!Send(CommandCode::GetLighting)) return false;
  Pause(10);
  if (!Fetch(reply)) return false;
  block.effect = reply[3];
  block.speed = static_cast<uint8_t>(kSpeedBase - reply[4]);
  block.brightness = reply[5];
  block.colorChoice = reply[6];
  block.direction = reply[7];
  return true;
}

bool CommandSet::SetGameMode(DeviceStateBlock& block) {
  const bool sent = Send(CommandCode::SetGameMode, block.gameMode);
  if (sent) Pause(20);
  ApplyWinLockToEnable(block);
  return sent;
}

bool CommandSet::SetGameModeOn() {
  if (!Send(CommandCode::SetGameMode, 1)) return false;
  Pause(20);
  return true;
}

bool CommandSet::GetGameMode(DeviceStateBlock& block) {
  FeatureReport reply{};
  if (!Send(CommandCode::GetGameMode)) return false;
  Pause(5);
  if (!Fetch(reply)) return false;
  block.gameMode = reply[2];
  return true;
}

bool CommandSet::SetPaletteColor(const DeviceStateBlock& block, std::size_t entry) {
  if (entry >= kPaletteEntries) return false;
  const RgbColor& color = block.palette[entry];
  if (!Send(CommandCode::SetPaletteColor, 0, static_cast<uint8_t>(entry), color[0], color[1],
            color[2])) {
    return false;
  }
  Pause(20);
  return true;
}

bool CommandSet::GetPaletteColor(DeviceStateBlock& block, std::size_t entry) {
  if (entry >= kPaletteEntries) return false;
  FeatureReport reply{};
  if (!Send(CommandCode::GetPaletteColor, 0, static_cast<uint8_t>(entry))) return false;
  Pause(1);
  if (!Fetch(reply)) return false;
  Pause(1);
  block.palette[entry] = {reply[4], reply[5], reply[6]};
  return true;
}

bool CommandSet::WriteKeyMap(const DeviceStateBlock& block) {
  if (!Send(CommandCode::WriteKeyMap, 0, 0, kKeyMapPages)) return false;
  Pause(50);
  if (!WritePages(BytesOf(block.keyMap), PagePause::None, 0)) return false;
  Pause(60);
  return true;
}

bool CommandSet::ReadKeyMap(DeviceStateBlock& block) {
  // The request carries no page count; the keyboard sends eight pages all the same.
  FeatureReport reply{};
  if (!Send(CommandCode::ReadKeyMap)) return false;
  if (!Fetch(reply)) return false;
  return ReadPages(BytesOf(block.keyMap), kKeyMapPages, PagePause::None, 0);
}

bool CommandSet::WriteKeyEnable(const DeviceStateBlock& block) {
  if (!Send(CommandCode::WriteKeyEnable, 0, 0, kKeyEnableSize)) return false;
  Pause(10);
  return WritePages(BytesOf(block.keyEnable), PagePause::None, 0);
}

bool CommandSet::ReadKeyEnable(DeviceStateBlock& block) {
  FeatureReport reply{};
  if (!Send(CommandCode::ReadKeyEnable, 0, 0, kKeyEnableSize)) return false;
  if (!Fetch(reply)) return false;
  if (!ReadPages(BytesOf(block.keyEnable), 1, PagePause::None, 0)) return false;
  DeriveWinLock(block);
  return true;
}

bool CommandSet::WriteMacroSlot(const MacroSlot& slot, std::size_t index) {
  if (index >= kMacroSlotCount) return false;
  if (!Send(CommandCode::WriteMacroSlot, 0, static_cast<uint8_t>(index), kMacroSlotPages)) {
    return false;
  }
  Pause(1);
  return WritePages(BytesOf(slot), PagePause::Between, 0);
}

bool CommandSet::ReadMacroSlot(DeviceStateBlock& block, std::size_t index) {
  if (index >= kMacroSlotCount) return false;
  // No page count in the request, as for the key map.
  FeatureReport reply{};
  if (!Send(CommandCode::ReadMacroSlot, 0, static_cast<uint8_t>(index))) return false;
  if (!Fetch(reply)) return false;
  return ReadPages(BytesOf(block.macroSlots[index]), kMacroSlotPages, PagePause::None, 0);
}

bool CommandSet::WriteColorPage(const DeviceStateBlock& block, std::size_t page) {
  if (page >= kColorPageCount) return false;
  if (!Send(CommandCode::WriteColorPage, 0, static_cast<uint8_t>(page), kColorPagePages)) {
    return false;
  }
  Pause(5);
  return WritePages(BytesOf(block.colorPages[page]), PagePause::AfterEach, 5);
}

bool CommandSet::ReadColorPage(DeviceStateBlock& block, std::size_t page) {
  if (page >= kColorPageCount) return false;
  FeatureReport reply{};
  if (!Send(CommandCode::ReadColorPage, 0, static_cast<uint8_t>(page), kColorPagePages)) {
    return false;
  }
  Pause(5);
  if (!Fetch(reply)) return false;
  Pause(5);
  return ReadPages(BytesOf(block.colorPages[page]), kColorPagePages, PagePause::AfterEach, 5);
}

bool CommandSet::FactoryReset() {
  if (!Send(CommandCode::FactoryReset, 0xFF)) return false;
  Pause(300);
  return true;
}

bool CommandSet::FactoryResetSequence() {
  if (!FactoryReset()) return false;
  for (int i = 0; i < 2; ++i) {
    if (!SetGameModeOn()) return false;
    Pause(300);
  }
  return true;
}

bool CommandSet::GetVersion(std::array<uint8_t, 4>& firmwareVersion) {
  FeatureReport reply{};
  if (!Send(CommandCode::GetVersion)) return false;
  Pause(10);
  if (!Fetch(reply)) return false;
  Pause(10);
  firmwareVersion = {reply[2], reply[3], 0, 0};
  return true;
}

}  // namespace tarsel
