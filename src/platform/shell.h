// Shell port: opening paths through the desktop and starting programs.
#pragma once

#include <string>

namespace tarsel {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens file with the desktop's handler for it (an executable file is started directly),
  // with workingFolder as working directory. No shell command line is ever built. Returns
  // whether the desktop accepted the request.
  virtual bool OpenPath(const std::string& file, const std::string& workingFolder) = 0;
  // Opens a web address in the default browser.
  virtual bool OpenUrl(const std::string& url) = 0;
  // Starts the program directly (no shell), not waited for, its folder as working directory.
  virtual bool StartProgram(const std::string& path) = 0;
};

}  // namespace tarsel
