// Per-key assignment records, in the program's own terms, and the keymap.bin layout.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/device_state_block.h"

namespace tarsel {

enum ActionKind : uint8_t {
  KindSingle = 0,
  KindCombine = 1,
  KindMacro = 2,
  KindBasic = 3,
  KindPlaySound = 4,
  KindStartup = 5,
  KindOpenFile = 6,
  KindOpenFolder = 7,
  KindDefault = 8,  // pending assignments only, never stored
  KindNone = 255,
};

inline constexpr bool IsHostActionKind(uint8_t kind) {
  return kind >= KindPlaySound && kind <= KindOpenFolder;
}

inline constexpr std::size_t kActionDataSize = 255;
inline constexpr std::size_t kActionPathUnits = 256;  // UTF-16 code units including the terminator
inline constexpr std::size_t kActionRecordCount = 255;

struct ActionRecord {
  uint8_t keyCode;
  uint8_t kind;
  std::array<uint8_t, kActionDataSize> data;
  uint8_t dataLength;
  uint8_t reserved[2];
  // UTF-16LE code units as stored in the file (byte pairs, so the record stays unaligned).
  std::array<uint8_t, kActionPathUnits * 2> path;
};

static_assert(sizeof(ActionRecord) == 772);
static_assert(alignof(ActionRecord) == 1);
static_assert(offsetof(ActionRecord, kind) == 1);
static_assert(offsetof(ActionRecord, data) == 2);
static_assert(offsetof(ActionRecord, dataLength) == 257);
static_assert(offsetof(ActionRecord, path) == 260);

// Record i belongs to key index i (0..107); 108..254 are kept as loaded.
struct ActionStore {
  std::array<ActionRecord, kActionRecordCount> records;
};
static_assert(sizeof(ActionStore) == 196860);

// keymap.bin and every profile file: the block followed by the store, no header.
struct KeymapFile {
  DeviceStateBlock block;
  ActionStore store;
};
static_assert(sizeof(KeymapFile) == 206920);
static_assert(offsetof(KeymapFile, store) == 10060);

}  // namespace tarsel
