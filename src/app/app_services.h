// The machine services the application runs on, handed to the application object by main().
#pragma once

#include <filesystem>
#include <functional>

#include "platform/device_change.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/settings_reader.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/tray.h"
#include "platform/window_host.h"

namespace tarsel {

class KeyboardSession;

struct AppServices {
  WindowFactory& windows;
  Dialogs& dialogs;
  Tray& tray;
  Shell& shell;
  Launcher& launcher;
  const SettingsReader& settings;
  SingleInstanceGuard& instanceGuard;
  DeviceChangeSource& deviceChanges;
  KeyboardSession& device;
  // The folder of the executable, ending in '/': data files and skins live there.
  std::filesystem::path programFolder;
};

}  // namespace tarsel
