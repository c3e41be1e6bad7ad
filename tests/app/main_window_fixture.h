// A main window over fakes in a temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/app_services.h"
#include "app/main_window.h"
#include "config/file_bytes.h"
#include "config/temp_folder.h"
#include "fakes/fake_app_services.h"
#include "fakes/fake_host.h"
#include "fakes/fake_keyboard_session.h"

namespace tarsel::testing {

class MainWindowTest : public ::testing::Test, protected FakeServices {
 protected:
  void Start() {
    dlg.Attach(host);
    dlg.OnInitDialog();
  }
  std::filesystem::path Keymap() const { return folder.path() / "keymap.bin"; }

  TempFolder folder;
  FakeWindowFactory windows;
  FakeKeyboardSession device;
  AppServices services = With(windows, device, folder.path());
  std::unique_ptr<Configuration> config = std::make_unique<Configuration>();
  CVelkanDlg dlg{services, *config};
  FakeWindowHost host{dlg};
};

}  // namespace tarsel::testing
