// Host actions: a key event from the keyboard opens the path stored for that key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "config/action_store.h"
#include "platform/shell.h"

namespace tarsel {

// The first record, in index order, of a host kind (4 to 7) carrying keyCode.
std::optional<std::size_t> FindHostActionRecord(const ActionStore& store, uint8_t keyCode);

// The record's path up to its terminator (never past the 256 code units of the field).
std::u16string RecordPath(const ActionRecord& record);

struct HostActionTarget {
  std::filesystem::path directory;  // the working directory
  std::filesystem::path file;       // what is opened, relative to directory
};

// Splits at the last '/': the folder before it is the working directory, the name after it is
// opened. A path ending in '/' opens that folder itself. A path without any '/' names no folder
// and is not launched (nullopt), nor is an empty one.
std::optional<HostActionTarget> SplitHostActionPath(std::u16string_view path);

enum class HostActionOutcome {
  NoRecord,  // no host-action record has this key code: ignored
  BadPath,   // the record's path cannot be launched
  Launched,
  LaunchFailed,  // the shell could not start anything
};

// The handler of WM_HOST_ACTION_KEY: finds the record and has the shell open its path.
HostActionOutcome OnHostActionKey(const ActionStore& store, uint8_t keyCode, Shell& shell);

}  // namespace tarsel
