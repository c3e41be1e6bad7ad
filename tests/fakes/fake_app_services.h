// The desktop around the main window as fakes (dialogs, tray, shell, launcher, settings,
// single-instance guard, device notices), handed out as the one AppServices the window takes.
// The window factory, the keyboard and the program folder differ from test to test, so the caller
// brings those.
#pragma once

#include <filesystem>

#include "app/app_services.h"
#include "fakes/fake_services.h"

namespace tarsel::testing {

struct FakeServices {
  FakeDialogs dialogs;
  FakeTray tray;
  FakeShell shell;
  FakeLauncher launcher;
  FakeSettings settings;
  FakeInstanceGuard guard;
  FakeDeviceChangeSource deviceChanges;

  AppServices With(WindowFactory& windows, KeyboardSession& device,
                   const std::filesystem::path& programFolder) {
    return {windows,  dialogs, tray,          shell,  launcher,
            settings, guard,   deviceChanges, device, programFolder};
  }
};

}  // namespace tarsel::testing
