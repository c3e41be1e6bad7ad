// Keymap-format files given on the command line, checked before anything is done with them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "config/configuration.h"

namespace tarsel {

// Fills the live block and store from a whole keymap-format file. Returns a one-line problem
// (cannot be read, wrong size) instead when it is not exactly one.
std::optional<std::string> LoadKeymapExactly(const std::filesystem::path& file,
                                             Configuration& config);

}  // namespace tarsel
