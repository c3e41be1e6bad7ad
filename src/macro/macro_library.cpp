#include "macro/macro_library.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <type_traits>

#include "config/atomic_file.h"

namespace tarsel {

static_assert(std::is_trivially_copyable_v<MacroLibrary>);

std::u16string MacroRecord::Name() const {
  std::u16string text;
  for (std::size_t unit = 0; unit < kMacroNameUnits; ++unit) {
    const char16_t c = char16_t(name[2 * unit] | (name[2 * unit + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

void MacroRecord::SetName(std::u16string_view text) {
  name.fill(0);
  const std::size_t units = std::min(text.size(), kMacroNameUnits - 1);
  for (std::size_t unit = 0; unit < units; ++unit) {
    name[2 * unit] = uint8_t(text[unit] & 0xFF);
    name[2 * unit + 1] = uint8_t(text[unit] >> 8);
  }
}

std::filesystem::path MacroFilePath(const std::filesystem::path& programFolder) {
  return programFolder / kMacroFileName;
}

void ParseMacroBytes(std::span<const uint8_t> bytes, MacroLibrary& library) {
  std::memcpy(&library, bytes.data(), std::min(bytes.size(), sizeof(MacroLibrary)));
}

MacroLoadResult LoadMacroFile(MacroLibrary& library, const std::filesystem::path& programFolder) {
  library = MacroLibrary{};
  const std::filesystem::path path = MacroFilePath(programFolder);
  std::vector<uint8_t> bytes;
  const FileStatus read = ReadFilePrefix(path, sizeof(MacroLibrary), bytes);
  if (read.ok()) {
    ParseMacroBytes(bytes, library);
    return {MacroLoadOutcome::Loaded, {}};
  }
  // Only a file that is really absent is a first start; anything else in the way is kept.
  std::error_code error;
  if (read.systemError != ENOENT || std::filesystem::exists(path, error)) {
    return {MacroLoadOutcome::NotLoaded, read};
  }
  const FileStatus written = SaveMacroFile(library, programFolder);
  if (!written.ok()) return {MacroLoadOutcome::NotLoaded, written};
  return {MacroLoadOutcome::Created, {}};
}

FileStatus SaveMacroFile(const MacroLibrary& library, const std::filesystem::path& programFolder) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&library);
  return ReplaceFileAtomically(MacroFilePath(programFolder), {bytes, sizeof(MacroLibrary)});
}

std::vector<std::u16string> MacroNames(const MacroLibrary& library) {
  std::vector<std::u16string> names;
  for (const MacroRecord& record : library.records) {
    if (!record.IsNamed()) break;
    names.push_back(record.Name());
  }
  return names;
}

MacroSlot PackMacroSlot(const MacroRecord& record) {
  MacroSlot slot{};
  const uint16_t loops = record.LoopCount();
  slot[0] = uint8_t(loops >> 8);
  slot[1] = uint8_t(loops & 0xFF);
  std::copy(record.deviceEvents.begin(), record.deviceEvents.end(), slot.begin() + 2);
  return slot;
}

std::size_t PackMacroSlots(const MacroLibrary& library, DeviceStateBlock& block) {
  std::size_t packed = 0;
  while (packed < kMacroSlotCount && library.records[packed].IsNamed()) {
    block.macroSlots[packed] = PackMacroSlot(library.records[packed]);
    ++packed;
  }
  return packed;
}

std::u16string NewMacroName(std::span<const std::u16string> existingNames) {
  for (int number = 1;; ++number) {
    const char* prefix = number < 10 ? "Macro_00" : number < 99 ? "Macro_0" : "Macro_";
    const std::string text = prefix + std::to_string(number);
    const std::u16string candidate(text.begin(), text.end());
    if (std::find(existingNames.begin(), existingNames.end(), candidate) == existingNames.end()) {
      return candidate;
    }
  }
}

}  // namespace tarsel
