// The process-wide configuration: live block and store, their saved copies, firmware version.
// Owned by the application object and handed to whoever needs it; large, so keep it on the heap.
#pragma once

#include <array>
#include <cstdint>

#include "config/action_store.h"
#include "config/device_state_block.h"

namespace tarsel {

struct Configuration {
  DeviceStateBlock block{};
  DeviceStateBlock savedBlock{};  // what the keyboard last confirmed
  ActionStore store{};
  ActionStore savedStore{};
  std::array<uint8_t, 4> firmwareVersion{};  // [major, minor, 0, 0]

  void TakeSavedBlockCopy() { savedBlock = block; }
  void TakeSavedActionsCopy() { savedStore = store; }
  void RestoreSavedCopy() {
    block = savedBlock;
    store = savedStore;
  }
};

// Windows-key lock, kept in winLock and folded into keyEnable (bit 1, the left Windows key)
// before writing; derived from that same bit after reading, so a lock survives a re-read.
void ApplyWinLockToEnable(DeviceStateBlock& block);
void DeriveWinLock(DeviceStateBlock& block);

// Stamps the default key code of key index 0..107 into records 0..107.
void ResetKeyCodes(ActionStore& store);

}  // namespace tarsel
