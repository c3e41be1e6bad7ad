#include "macros_command.h"

#include <memory>
#include <ostream>
#include <variant>

#include "cli/file_input.h"
#include "cli/macro_report.h"
#include "cli/tarselctl.h"

namespace tarsel {

CommandResult RunMacrosCommand(const std::vector<std::string>& args, std::ostream& out) {
  const auto parsed = ParseFileArgument("macros", args);
  if (const auto* problem = std::get_if<std::string>(&parsed)) return {kExitBadInput, *problem};
  const auto& [file, json] = std::get<FileArgument>(parsed);
  auto library = std::make_unique<MacroLibrary>();
  if (auto problem = LoadMacroLibraryFile(file, *library)) return {kExitBadInput, *problem};
  const KeyLabels labels = KeyLabels::BuildKeyLabels();
  out << (json ? MacroLibraryJson(*library, labels) : MacroLibraryText(*library, labels));
  return {kExitOk, ""};
}

}  // namespace tarsel
