// `tarselctl macros FILE [--json]`: a MacroDefine.bin decoded.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/assign_command.h"

namespace tarsel {

// args are the words after "macros". The file is only read; a shorter file is what it holds, as
// when the program loads it.
CommandResult RunMacrosCommand(const std::vector<std::string>& args, std::ostream& out);

}  // namespace tarsel
