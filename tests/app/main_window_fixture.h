// A main window over fakes in a temporary program folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/main_window.h"
#include "fakes/fake_host.h"
#include "fakes/fake_keyboard_session.h"
#include "fakes/fake_services.h"

namespace tarsel::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarsel-app-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    path_ += "/";
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::vector<uint8_t> ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteAll(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

class MainWindowTest : public ::testing::Test {
 protected:
  void Start() {
    dlg.Attach(host);
    dlg.OnInitDialog();
  }
  std::filesystem::path Keymap() const { return folder.path() / "keymap.bin"; }

  TempFolder folder;
  FakeWindowFactory windows;
  FakeDialogs dialogs;
  FakeTray tray;
  FakeShell shell;
  FakeLauncher launcher;
  FakeSettings settings;
  FakeInstanceGuard guard;
  FakeDeviceChangeSource deviceChanges;
  FakeKeyboardSession device;
  AppServices services{windows,  dialogs, tray,          shell,  launcher,
                       settings, guard,   deviceChanges, device, folder.path()};
  std::unique_ptr<Configuration> config = std::make_unique<Configuration>();
  CVelkanDlg dlg{services, *config};
  FakeWindowHost host{dlg};
};

}  // namespace tarsel::testing
