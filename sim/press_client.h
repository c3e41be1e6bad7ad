// The "press" subcommand: asks the simulator serving in a folder to report a key event.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarsel {

// Returns an error text, or nullopt once a simulator confirmed the event.
std::optional<std::string> PressOnRunningSimulator(const std::string& folder, uint8_t keyCode);

}  // namespace tarsel
