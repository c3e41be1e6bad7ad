// tarselctl: scripting the keyboard from a shell over the same core as the program.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "platform/device_change.h"
#include "platform/hid.h"

namespace tarsel {

// Exit codes, so that scripts can tell the outcomes apart.
enum ExitCode : int {
  kExitOk = 0,
  kExitBadInput = 1,      // unknown command or option, bad value, unreadable or wrong file
  kExitNoKeyboard = 2,    // no keyboard (or simulator) found
  kExitNotConfirmed = 3,  // a write was not acknowledged; those regions were not stored
  kExitDeviceFailed = 4,  // the keyboard stopped answering during a read
  kExitFileFailed = 5,    // the output file could not be written
};

struct ToolEnvironment {
  std::filesystem::path programFolder;  // where keymap.bin is looked for
  std::function<std::unique_ptr<HidTransport>()> makeTransport;
  // Sources of arrival and removal for `watch`.
  std::function<std::vector<std::unique_ptr<DeviceChangeSource>>()> makeChangeSources;
  std::ostream& out;
  std::ostream& err;
  // Called by `watch` before it starts any thread, with a function (callable from any thread)
  // that ends it: main() arranges its signal handling here.
  std::function<void(std::function<void()> stop)> onWatchStarted;
};

// args excludes the program name.
int RunTarselctl(const std::vector<std::string>& args, ToolEnvironment& environment);

}  // namespace tarsel
