// What `tarselctl macros` prints about a macro library: text for people, JSON for scripts.
#pragma once

#include <string>

#include "config/key_labels.h"
#include "macro/macro_library.h"

namespace tarsel {

// Every named record: its name, loop count, keyboard slot (only records 0..31 before the first
// free record get one), and its events with their delays, read from the display string with
// the device string's key bytes beside them.
std::string MacroLibraryText(const MacroLibrary& library, const KeyLabels& labels);
std::string MacroLibraryJson(const MacroLibrary& library, const KeyLabels& labels);

}  // namespace tarsel
