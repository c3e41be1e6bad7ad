// Windows-key lock folding and the key-code stamp.
#include "config/configuration.h"

#include <gtest/gtest.h>

#include <memory>

#include "config/key_table.h"

namespace tarsel {
namespace {

constexpr std::size_t kLeftWinKey = 96;

bool EnableBit(const DeviceStateBlock& block, unsigned bit) {
  return (block.keyEnable[bit / 8] >> (bit % 8)) & 1;
}

TEST(WinLock, FoldsIntoTheLeftWindowsKeyBitOnly) {
  auto block = std::make_unique<DeviceStateBlock>();
  block->keyEnable.fill(0xFF);
  block->winLock = 1;
  ApplyWinLockToEnable(*block);
  EXPECT_FALSE(EnableBit(*block, KeyTable[kLeftWinKey].enableBit));
  for (unsigned bit = 0; bit < kKeyEnableSize * 8; ++bit) {
    if (bit != KeyTable[kLeftWinKey].enableBit) {
      EXPECT_TRUE(EnableBit(*block, bit)) << bit;
    }
  }
  block->winLock = 0;
  ApplyWinLockToEnable(*block);
  EXPECT_TRUE(EnableBit(*block, 1));
}

// A lock folded into keyEnable must read back as the same lock, whatever the other bits hold
// (reading any other bit, such as bit 8, shows a wrong lock after every re-read).
TEST(WinLock, SurvivesAWriteAndReadBack) {
  for (uint8_t lock : {0, 1}) {
    for (uint8_t otherBits : {0x00, 0xFF}) {
      auto block = std::make_unique<DeviceStateBlock>();
      block->keyEnable.fill(otherBits);
      block->winLock = lock;
      ApplyWinLockToEnable(*block);
      block->winLock = 0x55;  // as if freshly read from the keyboard
      DeriveWinLock(*block);
      EXPECT_EQ(block->winLock, lock) << "other bits " << int(otherBits);
    }
  }
}

TEST(ResetKeyCodes, StampsDefaultCodesOnKeyRecordsAndLeavesTheRest) {
  auto store = std::make_unique<ActionStore>();
  for (ActionRecord& record : store->records) {
    record.keyCode = 0xEE;
    record.kind = KindCombine;
  }
  ResetKeyCodes(*store);
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    EXPECT_EQ(store->records[i].keyCode, KeyTable[i].defaultKeyCode) << i;
    EXPECT_EQ(store->records[i].kind, KindCombine);
  }
  for (std::size_t i = kKeyCount; i < kActionRecordCount; ++i)
    EXPECT_EQ(store->records[i].keyCode, 0xEE);
}

}  // namespace
}  // namespace tarsel
