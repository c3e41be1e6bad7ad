// Files given on the command line, checked before anything is done with them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "config/configuration.h"
#include "macro/macro_library.h"

namespace tarsel {

// Fills the live block and store from a whole keymap-format file. Returns a one-line problem
// (cannot be read, wrong size) instead when it is not exactly one.
std::optional<std::string> LoadKeymapExactly(const std::filesystem::path& file,
                                             Configuration& config);

// Fills the library from a macro library file; a shorter file is what it holds, as when the
// program loads it. Returns a one-line problem instead when it cannot be read or is too long.
std::optional<std::string> LoadMacroLibraryFile(const std::filesystem::path& file,
                                                MacroLibrary& library);

// "FILE [--json]", the words after a command that decodes one file.
struct FileArgument {
  std::filesystem::path file;
  bool json = false;
};
// A one-line problem ("show: no file given") when the words are not that.
std::variant<FileArgument, std::string> ParseFileArgument(std::string_view command,
                                                          const std::vector<std::string>& args);

}  // namespace tarsel
