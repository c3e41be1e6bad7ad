// The macro library: 190 fixed records, the same bytes in memory and in MacroDefine.bin.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/device_state_block.h"
#include "config/file_status.h"

namespace tarsel {

inline constexpr std::size_t kMacroRecordCount = 190;
inline constexpr std::size_t kMacroNameUnits = 255;  // including the terminating 0 unit
inline constexpr std::size_t kEventStringSize = 190;
inline constexpr std::size_t kMaxNamedMacros = kMacroSlotCount;  // one keyboard slot each
inline constexpr char kMacroFileName[] = "MacroDefine.bin";

using EventString = std::array<uint8_t, kEventStringSize>;

struct MacroRecord {
  std::array<uint8_t, kMacroNameUnits * 2> name;  // UTF-16LE; first unit 0 = free record
  std::array<uint8_t, 2> loopCount;               // little-endian
  uint8_t flags;                                  // bit 0: recorded with delays on
  EventString deviceEvents;                       // key bytes are HID usages
  EventString displayEvents;                      // key bytes are key codes
  uint8_t reserved;

  bool IsNamed() const { return name[0] != 0 || name[1] != 0; }
  std::u16string Name() const;
  // Stores at most 254 code units and the terminator; the rest of the field is zeroed.
  void SetName(std::u16string_view text);
  uint16_t LoopCount() const { return uint16_t(loopCount[0] | (loopCount[1] << 8)); }
  void SetLoopCount(uint16_t count) { loopCount = {uint8_t(count & 0xFF), uint8_t(count >> 8)}; }
};

static_assert(sizeof(MacroRecord) == 894);
static_assert(alignof(MacroRecord) == 1);
static_assert(offsetof(MacroRecord, loopCount) == 510);
static_assert(offsetof(MacroRecord, flags) == 512);
static_assert(offsetof(MacroRecord, deviceEvents) == 513);
static_assert(offsetof(MacroRecord, displayEvents) == 703);

struct MacroLibrary {
  std::array<MacroRecord, kMacroRecordCount> records;
};
static_assert(sizeof(MacroLibrary) == 169860);

enum class MacroLoadOutcome : uint8_t {
  Loaded = 0,     // read as far as the file reaches; the rest is zero
  Created = 1,    // there was no file; an empty library was written
  NotLoaded = 2,  // the file could not be read or created; the library is empty
};

struct MacroLoadResult {
  MacroLoadOutcome outcome = MacroLoadOutcome::NotLoaded;
  FileStatus status;
};

std::filesystem::path MacroFilePath(const std::filesystem::path& programFolder);

// Fills the library from file bytes, record by record from byte 0, as far as they reach.
void ParseMacroBytes(std::span<const uint8_t> bytes, MacroLibrary& library);

// Empties the library, then loads MacroDefine.bin into it (creating the file when there is none).
// A file that exists but cannot be read is left alone and reported.
MacroLoadResult LoadMacroFile(MacroLibrary& library, const std::filesystem::path& programFolder);

// Replaces MacroDefine.bin atomically with the whole library; on failure the previous file stays.
FileStatus SaveMacroFile(const MacroLibrary& library, const std::filesystem::path& programFolder);

// The macros offered for assignment: names of records 0, 1, ... up to the first free record.
// A row's position is its record index and its keyboard slot.
std::vector<std::u16string> MacroNames(const MacroLibrary& library);

// Loop count high byte first, then the 190 device event bytes.
MacroSlot PackMacroSlot(const MacroRecord& record);

// Packs records 0, 1, ... into the keyboard's slots while they are named, at most 32; later slots
// keep their bytes. Returns how many slots were packed.
std::size_t PackMacroSlots(const MacroLibrary& library, DeviceStateBlock& block);

// The name for a new macro: the first of "Macro_001", "Macro_002", ... not among the names given.
std::u16string NewMacroName(std::span<const std::u16string> existingNames);

}  // namespace tarsel
