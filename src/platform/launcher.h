// Launcher port: starting a program directly and opening web addresses.
#pragma once

#include <filesystem>
#include <string>

namespace tarsel {

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts the program directly (no command interpreter), with its own folder as working
  // directory, and does not wait for it. False when it could not be started.
  virtual bool StartProgram(const std::filesystem::path& program) = 0;
  // Opens a web address in the desktop's default browser.
  virtual bool OpenUrl(const std::string& url) = 0;
};

}  // namespace tarsel
