// Starting programs directly and opening web addresses in the desktop's browser.
#pragma once

#include "platform/launcher.h"

namespace tarsel {

class QtLauncher final : public Launcher {
 public:
  bool StartProgram(const std::filesystem::path& program) override;
  bool OpenUrl(const std::string& url) override;
};

}  // namespace tarsel
