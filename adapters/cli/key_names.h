// Keys named on the command line: by label, by key code or by key index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "config/key_labels.h"

namespace tarsel {

struct KeyNameError {
  std::string message;  // one line
};

// A key of the keyboard, as a key index 0..107: its label ("Esc", "a", "F12", "Volume UP"; case
// and the label's padding do not matter), its default key code ("0x1B") or "index:N". A name
// that fits several keys is refused with the indices to choose from.
std::variant<std::size_t, KeyNameError> ParseKeyIndex(std::string_view word,
                                                      const KeyLabels& labels);

// A key code (a key label table index) as a key press would capture it: a label or "0xNN".
std::variant<uint8_t, KeyNameError> ParseKeyCode(std::string_view word, const KeyLabels& labels);

}  // namespace tarsel
