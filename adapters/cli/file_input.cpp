#include "file_input.h"

#include <cstdint>

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

std::optional<std::string> LoadMacroLibraryFile(const std::filesystem::path& file,
                                                MacroLibrary& library) {
  std::vector<uint8_t> bytes;
  const FileStatus status = ReadFilePrefix(file, sizeof(MacroLibrary) + 1, bytes);
  if (!status.ok()) return file.string() + ": " + DescribeFileStatus(status);
  if (bytes.size() > sizeof(MacroLibrary)) {
    return file.string() + ": not a macro library (over " + std::to_string(sizeof(MacroLibrary)) +
           " bytes)";
  }
  ParseMacroBytes(bytes, library);
  return std::nullopt;
}

std::variant<FileArgument, std::string> ParseFileArgument(std::string_view command,
                                                          const std::vector<std::string>& args) {
  std::optional<std::filesystem::path> file;
  bool json = false;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (!arg.starts_with("-") && !file) {
      file = arg;
    } else {
      return std::string(command) + ": unexpected argument '" + arg + "'";
    }
  }
  if (!file) return std::string(command) + ": no file given";
  return FileArgument{*file, json};
}

}  // namespace tarsel
