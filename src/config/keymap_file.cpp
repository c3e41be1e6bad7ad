#include "config/keymap_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <type_traits>

#include "config/atomic_file.h"

namespace tarsel {
namespace {

static_assert(std::is_trivially_copyable_v<DeviceStateBlock>);
static_assert(std::is_trivially_copyable_v<ActionStore>);

// Copies as many leading bytes of the record as the input holds; returns the bytes consumed.
template <typename Record>
std::size_t FillPrefix(std::span<const uint8_t> bytes, Record& record) {
  const std::size_t n = std::min(bytes.size(), sizeof(Record));
  std::memcpy(&record, bytes.data(), n);
  return n;
}

}  // namespace

std::filesystem::path KeymapFilePath(const std::filesystem::path& programFolder) {
  return programFolder / kKeymapFileName;
}

void ParseKeymapBytes(std::span<const uint8_t> bytes, DeviceStateBlock& block, ActionStore& store,
                      bool actionsOnly) {
  const std::size_t blockBytes = std::min(bytes.size(), sizeof(DeviceStateBlock));
  if (!actionsOnly) FillPrefix(bytes.first(blockBytes), block);
  FillPrefix(bytes.subspan(blockBytes), store);
}

std::vector<uint8_t> SerializeKeymap(const DeviceStateBlock& block, const ActionStore& store) {
  std::vector<uint8_t> bytes(sizeof(KeymapFile));
  std::memcpy(bytes.data(), &block, sizeof(block));
  std::memcpy(bytes.data() + sizeof(block), &store, sizeof(store));
  return bytes;
}

KeymapLoadResult LoadKeymapFile(Configuration& config, const std::filesystem::path& programFolder,
                                bool actionsOnly) {
  const std::filesystem::path path = KeymapFilePath(programFolder);
  std::vector<uint8_t> bytes;
  const FileStatus read = ReadFilePrefix(path, sizeof(KeymapFile), bytes);
  if (read.ok()) {
    ParseKeymapBytes(bytes, config.block, config.store, actionsOnly);
    ResetKeyCodes(config.store);
    return {KeymapLoadOutcome::Loaded, {}};
  }
  // Only a file that is really absent is a first run; anything else in the way is kept as it is.
  std::error_code error;
  const bool absent = read.systemError == ENOENT && !std::filesystem::exists(path, error);
  if (!absent) return {KeymapLoadOutcome::NotLoaded, read};

  config.store = ActionStore{};
  const FileStatus written =
      ReplaceFileAtomically(path, SerializeKeymap(config.block, config.store));
  if (!written.ok()) return {KeymapLoadOutcome::NotLoaded, written};
  return {KeymapLoadOutcome::Created, {}};
}

FileStatus SaveKeymapFile(const Configuration& config, const std::filesystem::path& programFolder,
                          KeymapSource source) {
  const bool saved = source == KeymapSource::Saved;
  return ReplaceFileAtomically(KeymapFilePath(programFolder),
                               SerializeKeymap(saved ? config.savedBlock : config.block,
                                               saved ? config.savedStore : config.store));
}

KeymapLoadResult LoadKeymapAtStartup(Configuration& config,
                                     const std::filesystem::path& programFolder) {
  config.store = ActionStore{};
  const KeymapLoadResult result = LoadKeymapFile(config, programFolder, false);
  ResetKeyCodes(config.store);
  config.TakeSavedBlockCopy();
  config.TakeSavedActionsCopy();
  return result;
}

}  // namespace tarsel
