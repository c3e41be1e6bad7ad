// `tarselctl assign FILE KEY KIND ...`: the key-assignment compiler run on a keymap-format file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tarsel {

struct CommandResult {
  int exitCode = 0;   // an ExitCode
  std::string error;  // one line, empty on success
};

// args are the words after "assign". Everything is checked before FILE is replaced (atomically);
// on any refusal FILE is left as it was. On success one line describing the key goes to out.
CommandResult RunAssignCommand(const std::vector<std::string>& args, std::ostream& out);

// The kinds and how the macro library is found, for the usage text.
std::string AssignUsage();

}  // namespace tarsel
