#include "keymap_input.h"

#include <cstdint>
#include <vector>

#include "config/atomic_file.h"
#include "config/keymap_file.h"

namespace tarsel {

std::optional<std::string> LoadKeymapExactly(const std::filesystem::path& file,
                                             Configuration& config) {
  std::vector<uint8_t> bytes;
  const FileStatus status = ReadFilePrefix(file, sizeof(KeymapFile) + 1, bytes);
  if (!status.ok()) return file.string() + ": " + DescribeFileStatus(status);
  if (bytes.size() != sizeof(KeymapFile)) {
    return file.string() + ": wrong size, " + std::to_string(bytes.size()) +
           " bytes (a keymap file has " + std::to_string(sizeof(KeymapFile)) + ")";
  }
  ParseKeymapBytes(bytes, config.block, config.store, false);
  return std::nullopt;
}

}  // namespace tarsel
