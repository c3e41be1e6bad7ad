// Shell port over fork/exec: starts executables directly and hands other paths to the desktop.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"

namespace tarsel {

class PosixShell final : public Shell {
 public:
  // opener is the program that opens non-executable paths with the desktop's default
  // application; it is searched on PATH and receives the path as its only argument.
  explicit PosixShell(std::string opener = "xdg-open") : opener_(std::move(opener)) {}

  bool Open(const std::filesystem::path& file,
            const std::filesystem::path& workingDirectory) override;

 private:
  std::string opener_;
};

// Starts argv[0] (searched on PATH when it has no '/') with the given working directory, detached:
// the program is not waited for and leaves no zombie behind, and it inherits no descriptor above
// 2. Returns false when the program could not be started (missing, not executable, bad folder).
bool SpawnDetached(const std::vector<std::string>& argv,
                   const std::filesystem::path& workingDirectory);

}  // namespace tarsel
