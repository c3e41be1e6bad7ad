#include "macros_command.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/macro_report.h"
#include "cli/tarselctl.h"
#include "config/atomic_file.h"

namespace tarsel {

CommandResult RunMacrosCommand(const std::vector<std::string>& args, std::ostream& out) {
  std::optional<std::filesystem::path> file;
  bool json = false;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (!arg.starts_with("-") && !file) {
      file = arg;
    } else {
      return {kExitBadInput, "macros: unexpected argument '" + arg + "'"};
    }
  }
  if (!file) return {kExitBadInput, "macros: no file given"};
  std::vector<uint8_t> bytes;
  const FileStatus status = ReadFilePrefix(*file, sizeof(MacroLibrary) + 1, bytes);
  if (!status.ok()) return {kExitBadInput, file->string() + ": " + DescribeFileStatus(status)};
  if (bytes.size() > sizeof(MacroLibrary)) {
    return {kExitBadInput, file->string() + ": not a macro library (over " +
                               std::to_string(sizeof(MacroLibrary)) + " bytes)"};
  }
  auto library = std::make_unique<MacroLibrary>();
  ParseMacroBytes(bytes, *library);
  const KeyLabels labels = KeyLabels::BuildKeyLabels();
  out << (json ? MacroLibraryJson(*library, labels) : MacroLibraryText(*library, labels));
  return {kExitOk, ""};
}

}  // namespace tarsel
