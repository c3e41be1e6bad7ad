// Command line of tarsel-kbdsim: serving options, or the "press" subcommand.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tarsel {

struct ServeOptions {
  std::string folder;   // discovery folder; empty = the default one
  std::string logFile;  // empty = no log
  std::chrono::milliseconds pageDelay{1};
  bool dropAcks = false;
  std::optional<uint64_t> stallAfter;  // host reports answered before going silent
  std::optional<uint64_t> exitAfter;   // host reports taken before vanishing
};

struct PressOptions {
  uint8_t keyCode = 0;
  std::string folder;
};

struct OptionsError {
  std::string message;  // one line, without the program name
};

using KbdsimCommand = std::variant<ServeOptions, PressOptions, OptionsError>;

// args excludes the program name.
KbdsimCommand ParseKbdsimArguments(const std::vector<std::string>& args);

}  // namespace tarsel
