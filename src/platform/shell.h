// Shell port: opening a stored path the way the desktop would, without a command interpreter.
#pragma once

#include <filesystem>

namespace tarsel {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens file (a name inside workingDirectory, or an absolute path) with workingDirectory as the
  // working directory: an executable file is started directly, anything else goes to the
  // desktop's default application. Does not wait for what it started. False when nothing could be
  // started.
  virtual bool Open(const std::filesystem::path& file,
                    const std::filesystem::path& workingDirectory) = 0;
};

}  // namespace tarsel
