// The keyboard's configuration mirror: a fixed 10060-byte record, also the head of keymap.bin.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarsel {

inline constexpr std::size_t kKeyMapEntryCount = 128;
inline constexpr std::size_t kMacroSlotCount = 32;
inline constexpr std::size_t kMacroSlotSize = 192;
inline constexpr std::size_t kColorPageCount = 5;
inline constexpr std::size_t kColorPageSize = 512;
inline constexpr std::size_t kPaletteEntries = 7;
inline constexpr std::size_t kKeyEnableSize = 18;

// [type, b1, b2, b3]; see FunctionType for the types in use.
using KeyMapEntry = std::array<uint8_t, 4>;

enum class FunctionType : uint8_t {
  Keys = 0,      // up to three HID keyboard usages pressed together
  Consumer = 3,  // consumer usage, low byte then high byte
  Macro = 4,     // play a macro slot
  HostAction = 10,
};

// Loop count (high byte first), then 190 event bytes.
using MacroSlot = std::array<uint8_t, kMacroSlotSize>;
// 128 entries of [0, red, green, blue] at the key's matrix position value.
using ColorPage = std::array<uint8_t, kColorPageSize>;
using RgbColor = std::array<uint8_t, 3>;

struct DeviceStateBlock {
  uint8_t reserved0[11];
  uint8_t reportRate;  // 0..3
  uint8_t reserved1[780];
  std::array<KeyMapEntry, kKeyMapEntryCount> keyMap;
  std::array<MacroSlot, kMacroSlotCount> macroSlots;
  uint8_t reserved2;
  uint8_t responseTime;  // units of 2 ms, 1..10
  uint8_t effect;
  uint8_t speed;  // 0..9; the keyboard carries 10 - speed
  uint8_t brightness;  // 0..50
  uint8_t colorChoice;  // 1..7 palette entry, 8 multicolour
  uint8_t direction;  // 1..4
  std::array<RgbColor, kPaletteEntries> palette;
  uint8_t gameMode;
  std::array<uint8_t, kKeyEnableSize> keyEnable;  // bit b = bit (b % 8) of byte (b / 8); 1 = works
  uint8_t reserved3[3];
  uint8_t winLock;
  std::array<ColorPage, kColorPageCount> colorPages;
  uint8_t reserved4;
};

static_assert(sizeof(DeviceStateBlock) == 10060);
static_assert(alignof(DeviceStateBlock) == 1);
static_assert(offsetof(DeviceStateBlock, reportRate) == 0x000B);
static_assert(offsetof(DeviceStateBlock, keyMap) == 0x0318);
static_assert(offsetof(DeviceStateBlock, macroSlots) == 0x0518);
static_assert(offsetof(DeviceStateBlock, responseTime) == 0x1D19);
static_assert(offsetof(DeviceStateBlock, effect) == 0x1D1A);
static_assert(offsetof(DeviceStateBlock, speed) == 0x1D1B);
static_assert(offsetof(DeviceStateBlock, brightness) == 0x1D1C);
static_assert(offsetof(DeviceStateBlock, colorChoice) == 0x1D1D);
static_assert(offsetof(DeviceStateBlock, direction) == 0x1D1E);
static_assert(offsetof(DeviceStateBlock, palette) == 0x1D1F);
static_assert(offsetof(DeviceStateBlock, gameMode) == 0x1D34);
static_assert(offsetof(DeviceStateBlock, keyEnable) == 0x1D35);
static_assert(offsetof(DeviceStateBlock, winLock) == 0x1D4A);
static_assert(offsetof(DeviceStateBlock, colorPages) == 0x1D4B);

// The lighting fields travel together (effect, speed, brightness, colorChoice, direction).
inline constexpr std::size_t kLightingOffset = offsetof(DeviceStateBlock, effect);
inline constexpr std::size_t kLightingSize = 5;

}  // namespace tarsel
