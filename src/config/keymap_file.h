// keymap.bin in the program folder: the block followed by the action store (also the profile
// format).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "config/action_store.h"
#include "config/configuration.h"
#include "config/device_state_block.h"
#include "config/file_status.h"

namespace tarsel {

inline constexpr char kKeymapFileName[] = "keymap.bin";

// Which pair a save writes: the live block and store, or the copies the keyboard last confirmed.
enum class KeymapSource : uint8_t { Live = 0, Saved = 1 };

enum class KeymapLoadOutcome : uint8_t {
  Loaded = 0,     // the file was read (it may have been shorter or longer than a keymap file)
  Created = 1,    // there was no file; one was written from the block and an empty store
  NotLoaded = 2,  // the file could not be read or created; see the status
};

struct KeymapLoadResult {
  KeymapLoadOutcome outcome = KeymapLoadOutcome::NotLoaded;
  FileStatus status;
};

std::filesystem::path KeymapFilePath(const std::filesystem::path& programFolder);

// Fills block and store from the bytes of a keymap file, in file order, as far as the bytes reach;
// what they do not cover is left as it was. With actionsOnly the block part is skipped.
void ParseKeymapBytes(std::span<const uint8_t> bytes, DeviceStateBlock& block, ActionStore& store,
                      bool actionsOnly);

// The exact 206920 bytes of a keymap file.
std::vector<uint8_t> SerializeKeymap(const DeviceStateBlock& block, const ActionStore& store);

// Loads keymap.bin into the live block and store (only the store with actionsOnly) and stamps the
// default key codes. A missing file is created from the live block and an emptied store. A file
// that exists but cannot be read is left alone and reported.
KeymapLoadResult LoadKeymapFile(Configuration& config, const std::filesystem::path& programFolder,
                                bool actionsOnly);

// Replaces keymap.bin atomically with the chosen pair; on failure the previous file stays.
FileStatus SaveKeymapFile(const Configuration& config, const std::filesystem::path& programFolder,
                          KeymapSource source);

// Start-up: empty store, load, stamp key codes, take both saved copies.
KeymapLoadResult LoadKeymapAtStartup(Configuration& config,
                                     const std::filesystem::path& programFolder);

}  // namespace tarsel
