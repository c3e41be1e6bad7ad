#include "device/sequences/whole_device_sequences.h"

#include <algorithm>

#include "config/configuration.h"

namespace tarsel {

namespace {

bool Cancelled(const CancelFlag* cancel) {
  return cancel != nullptr && cancel->load(std::memory_order_acquire);
}

}  // namespace

WholeDeviceSequences::WholeDeviceSequences(DeviceLink& link, Clock& clock, AckFlag& ackFlag,
                                           SequenceOptions options)
    : link_(link), clock_(clock), ackFlag_(ackFlag), options_(options), commands_(link, clock) {}

bool WholeDeviceSequences::ReadRegions(DeviceStateBlock& block, const CancelFlag* cancel) {
  // Each step stops the read at the first failure: one more command to a vanished or silent
  // keyboard would only add its time-out.
  auto step = [&](bool ok) { return ok && !Cancelled(cancel); };
  if (!step(commands_.GetLighting(block))) return false;
  for (std::size_t entry = 0; entry < kPaletteEntries; ++entry) {
    if (!step(commands_.GetPaletteColor(block, entry))) return false;
  }
  if (!step(commands_.GetGameMode(block))) return false;
  if (!step(commands_.GetReportRate(block))) return false;
  if (!step(commands_.GetResponseTime(block))) return false;
  if (!step(commands_.ReadKeyMap(block))) return false;
  if (!step(commands_.ReadKeyEnable(block))) return false;
  return true;
}

bool WholeDeviceSequences::InitialRead(DeviceStateBlock& block,
                                       std::array<uint8_t, 4>& firmwareVersion,
                                       const CancelFlag* cancel) {
  auto lock = link_.LockCommands();
  DeviceStateBlock read = block;
  std::array<uint8_t, 4> version = firmwareVersion;
  auto step = [&](bool ok) { return ok && !Cancelled(cancel); };
  if (!step(commands_.SetGameModeOn())) return false;
  if (!step(commands_.GetVersion(version))) return false;
  if (!ReadRegions(read, cancel)) return false;
  for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot) {
    if (!step(commands_.ReadMacroSlot(read, slot))) return false;
    clock_.Sleep(std::chrono::milliseconds(0));
  }
  for (std::size_t page = 0; page < kColorPageCount; ++page) {
    if (!step(commands_.ReadColorPage(read, page))) return false;
  }
  if (!step(commands_.GetReportRate(read))) return false;
  block = read;
  firmwareVersion = version;
  return true;
}

bool WholeDeviceSequences::ReadWholeDevice(DeviceStateBlock& block, const CancelFlag* cancel) {
  auto lock = link_.LockCommands();
  DeviceStateBlock read = block;
  auto step = [&](bool ok) { return ok && !Cancelled(cancel); };
  if (!step(commands_.SetGameModeOn())) return false;
  clock_.Sleep(std::chrono::milliseconds(10));
  if (!ReadRegions(read, cancel)) return false;
  for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot) {
    if (!step(commands_.ReadMacroSlot(read, slot))) return false;
  }
  for (std::size_t page = 0; page < kColorPageCount; ++page) {
    if (!step(commands_.ReadColorPage(read, page))) return false;
  }
  block = read;
  return true;
}

bool WholeDeviceSequences::WaitForAck(bool pauseBeforeFirstTest) {
  // Bounded both by elapsed time and by the number of polls, so that neither a clock that does
  // not advance nor a slow scheduler can make the wait endless.
  const auto start = clock_.Now();
  const auto maxPolls = std::max<int64_t>(1, options_.ackTimeout / options_.ackPoll);
  if (pauseBeforeFirstTest) clock_.Sleep(options_.ackPoll);
  for (int64_t polls = 0;; ++polls) {
    if (ackFlag_.IsSet()) return true;
    if (polls >= maxPolls || clock_.Now() - start >= options_.ackTimeout) return false;
    clock_.Sleep(options_.ackPoll);
  }
}

template <typename Send>
bool WholeDeviceSequences::Acknowledged(Send send, bool pauseBeforeFirstTest) {
  ackFlag_.Clear();
  if (!send()) return false;
  return WaitForAck(pauseBeforeFirstTest);
}

WriteResult WholeDeviceSequences::WriteChanges(DeviceStateBlock& block, DeviceStateBlock& saved) {
  auto lock = link_.LockCommands();
  WriteResult result;
  ApplyWinLockToEnable(block);
  const std::vector<Region> changed = ChangedRegions(block, saved);
  if (changed.empty()) return result;

  const bool onlyLighting = changed.size() == 1 && changed[0].kind == RegionKind::Lighting;
  bool ok = true;
  if (!onlyLighting) {
    // Opens the batch; the keyboard shows no lighting until phase 2 closes it.
    ok = Acknowledged([&] { return commands_.SetLighting(block, LightingPhase::Open); }, true);
  }
  for (const Region& region : changed) {
    if (!ok) break;
    switch (region.kind) {
      case RegionKind::Palette: {
        ackFlag_.Clear();
        for (std::size_t entry = 0; ok && entry < kPaletteEntries; ++entry) {
          ok = commands_.SetPaletteColor(block, entry);
        }
        ok = ok && WaitForAck(false);
        break;
      }
      case RegionKind::GameMode:
        ok = Acknowledged([&] { return commands_.SetGameMode(block); }, false);
        break;
      case RegionKind::ReportRate:
        ok = Acknowledged([&] { return commands_.SetReportRate(block); }, false);
        break;
      case RegionKind::ResponseTime:
        ok = Acknowledged([&] { return commands_.SetResponseTime(block); }, false);
        break;
      case RegionKind::KeyMap:
        ok = Acknowledged([&] { return commands_.WriteKeyMap(block); }, false);
        break;
      case RegionKind::KeyEnable:
        ok = Acknowledged([&] { return commands_.WriteKeyEnable(block); }, false);
        break;
      case RegionKind::MacroSlot: {
        const MacroSlot copy = block.macroSlots[region.index];
        ok = Acknowledged([&] { return commands_.WriteMacroSlot(copy, region.index); }, false);
        break;
      }
      case RegionKind::ColorPage:
        ok = Acknowledged([&] { return commands_.WriteColorPage(block, region.index); }, false);
        break;
      case RegionKind::Lighting:
        continue;  // sent by phase 2 below
    }
    if (ok) result.confirmed.push_back(region);
  }

  // Phase 2 always goes out, also after a failure, so that a keyboard that is still there does
  // not stay dark from phase 1. It is not acknowledged; its send result decides the lighting.
  const bool lightingSent = commands_.SetLighting(block, LightingPhase::Close);
  if (lightingSent && changed.back().kind == RegionKind::Lighting) {
    result.confirmed.push_back(changed.back());
  }

  for (const Region& region : changed) {
    if (std::find(result.confirmed.begin(), result.confirmed.end(), region) ==
        result.confirmed.end()) {
      result.unconfirmed.push_back(region);
    }
  }
  if (result.unconfirmed.empty()) {
    saved = block;  // TakeSavedBlockCopy
    result.status = WriteStatus::Confirmed;
  } else {
    for (const Region& region : result.confirmed) CopyRegion(block, saved, region);
    result.status = WriteStatus::NotConfirmed;
  }
  return result;
}

}  // namespace tarsel
