// Turns the key-assignment dialog's choice into the key's action record and key-map entry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/action_store.h"
#include "config/configuration.h"
#include "config/file_status.h"
#include "config/key_labels.h"
#include "macro/macro_library.h"

namespace tarsel {

// count value meaning the dialog's Default button was used, whatever the kind says.
inline constexpr uint32_t kDefaultButtonCount = 255;
inline constexpr std::size_t kPendingKeyCount = 255;

struct PendingAssignment {
  uint8_t kind = KindDefault;                    // an ActionKind
  uint32_t count = 0;                            // captured key codes, or kDefaultButtonCount
  std::array<uint8_t, kPendingKeyCount> keys{};  // key codes in the order pressed, zero-filled
  std::u16string functionLabel;                  // KindBasic: the function chosen in the tree
  int32_t macroIndex = -1;                       // KindMacro: row of the macro list; -1 none
  std::u16string hostPath;  // host kinds: file or folder; stored cut to 255 code units
  uint8_t keyEnabled = 1;   // 0 when the dialog's disable option is set
};

// The language whose names the basic functions are looked up in: that of the interface.
enum class FunctionNames : uint8_t { English = 0, Chinese = 1 };

struct BasicFunction {
  std::u16string_view english;
  std::u16string_view chinese;
  KeyMapEntry code;
};

// The basic functions in the order of the function tree.
std::span<const BasicFunction> BasicFunctions();

// The function code of a basic function's name in the given language; the first equal name wins.
std::optional<KeyMapEntry> BasicFunctionCode(std::u16string_view label, FunctionNames names);

// What a single key sends: [0, 0, usage, 0], or a consumer entry for the media usages.
KeyMapEntry SingleKeyEntry(uint8_t usage);

// The state an assignment changes, owned by the main window and handed in for the call.
struct AssignmentTarget {
  Configuration& config;
  const MacroLibrary& library;  // the master library, for the macro slots
  const KeyLabels& labels;
  std::span<bool> keyChanged;  // the keyboard picture's change markers, by key index
  FunctionNames names = FunctionNames::English;
  // Where keymap.bin is saved after each change; nothing is saved without one (a caller that
  // writes the configuration somewhere else itself).
  std::optional<std::filesystem::path> programFolder;
};

struct AssignmentResult {
  bool applied = false;  // false when k is not a key index; nothing changed then
  FileStatus saved;      // the save of keymap.bin that follows (ok when there is none)
};

// Applies the pending assignment to key index k (0..107) in the live block and store, then saves
// keymap.bin from the live pair. The caller clears keyChanged[k] before the call. With the
// Default button, pending.keyEnabled is set to 1.
AssignmentResult CompileAssignment(std::size_t k, PendingAssignment& pending,
                                   const AssignmentTarget& target);

// Sets or clears key k's enable bit from pending.keyEnabled (a disabled key is marked changed),
// then saves keymap.bin from the live pair.
AssignmentResult UpdateKeyEnable(std::size_t k, const PendingAssignment& pending,
                                 const AssignmentTarget& target);

}  // namespace tarsel
