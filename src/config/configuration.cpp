// Windows-key lock folding and the key-code stamp of the action store.
#include "config/configuration.h"

#include "config/key_table.h"

namespace tarsel {
namespace {

// The left Windows key: key index 96, enable bit 1 (bit 1 of byte 0).
constexpr uint8_t kWinKeyMask = 1u << 1;

}  // namespace

void ApplyWinLockToEnable(DeviceStateBlock& block) {
  if (block.winLock == 1) {
    block.keyEnable[0] &= static_cast<uint8_t>(~kWinKeyMask);
  } else {
    block.keyEnable[0] |= kWinKeyMask;
  }
}

void DeriveWinLock(DeviceStateBlock& block) {
  block.winLock = (block.keyEnable[0] & kWinKeyMask) ? 0 : 1;
}

void ResetKeyCodes(ActionStore& store) {
  for (std::size_t i = 0; i < kKeyCount; ++i) store.records[i].keyCode = KeyTable[i].defaultKeyCode;
}

}  // namespace tarsel
