// The main window with its full content over fakes, in a temporary program folder, starting from
// a keyboard in its factory state.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/keyboard_session.h"
#include "app/main_content.h"
#include "app/main_dialogs.h"
#include "app/main_window.h"
#include "config/key_rects.h"
#include "config/key_table.h"
#include "config/keymap_file.h"
#include "fakes/factory_configuration.h"
#include "fakes/fake_app_services.h"
#include "fakes/fake_host.h"
#include "macro/macro_library.h"
#include "main_window_fixture.h"

namespace tarsel::testing {

// The keyboard side with scripted outcomes; every call is recorded in order.
class ScriptedKeyboardSession final : public KeyboardSession {
 public:
  bool OpenAndStartInitialRead(MessageSink&) override { return true; }
  bool OpenAndStartListener(MessageSink&) override { return true; }
  bool CommandInterfacePresent() const override { return true; }
  void TakeDeviceState(Configuration&) override { calls.push_back("TakeDeviceState"); }
  bool ReadReportRate(DeviceStateBlock&) override {
    calls.push_back("ReadReportRate");
    return true;
  }
  bool ReadLighting(DeviceStateBlock&) override {
    calls.push_back("ReadLighting");
    return true;
  }
  bool ReadKeyEnable(DeviceStateBlock& block) override {
    calls.push_back("ReadKeyEnable");
    if (keyEnableRead) block.keyEnable = *keyEnableRead;
    return true;
  }
  bool WriteChanges(Configuration& config) override {
    calls.push_back("WriteChanges");
    written = config.block;
    return writeConfirmed;
  }
  bool RestoreFactorySettings(Configuration& config) override {
    calls.push_back("RestoreFactorySettings");
    if (!restoreConfirmed) return false;
    config.block = factoryBlock;
    return true;
  }
  void Shutdown() override {}

  bool writeConfirmed = true;
  bool restoreConfirmed = true;
  DeviceStateBlock factoryBlock{};
  std::optional<DeviceStateBlock> written;
  std::optional<std::array<uint8_t, kKeyEnableSize>> keyEnableRead;
  std::vector<std::string> calls;
};

class FakeMainDialogs final : public MainWindowDialogs {
 public:
  std::optional<PendingAssignment> Run(const KeyAssignmentRequest& request) override {
    keyRequests.push_back(request);
    if (onKeyDialog) onKeyDialog();
    return assignment;
  }
  bool RunMacroManager() override {
    ++macroRuns;
    if (onMacroManager) onMacroManager();
    return macroOk;
  }
  void RunProfileManager(const Rect& mainWindow) override { profileRects.push_back(mainWindow); }

  std::optional<PendingAssignment> assignment;
  std::function<void()> onKeyDialog;
  std::vector<KeyAssignmentRequest> keyRequests;
  bool macroOk = false;
  std::function<void()> onMacroManager;
  int macroRuns = 0;
  std::vector<Rect> profileRects;
};

class ContentTest : public ::testing::Test, protected FakeServices {
 protected:
  ContentTest() {
    auto content = std::make_unique<MainContent>(
        dlg, *library, mainDialogs, [this](std::chrono::milliseconds d) { pauses.push_back(d); });
    this->content = content.get();
    dlg.SetContent(std::move(content));
    dlg.Attach(host);
  }
  // Start-up with the keyboard's state already in keymap.bin, so the window shows it.
  void Start(const std::function<void(Configuration&)>& edit = {}) {
    Configuration initial;
    MakeFactoryConfiguration(initial);
    if (edit) edit(initial);
    ASSERT_TRUE(SaveKeymapFile(initial, folder.path(), KeymapSource::Live).ok());
    dlg.OnInitDialog();
    host.Repaint();
  }
  MainWindowState& state() { return dlg.state(); }
  DeviceStateBlock& block() { return config->block; }
  std::vector<uint8_t> KeymapBytes() const { return ReadAll(folder.path() / "keymap.bin"); }
  std::vector<uint8_t> Serialized(KeymapSource source) const {
    const bool saved = source == KeymapSource::Saved;
    return SerializeKeymap(saved ? config->savedBlock : config->block,
                           saved ? config->savedStore : config->store);
  }

  TempFolder folder;
  FakeWindowFactory windows;
  ScriptedKeyboardSession device;
  FakeMainDialogs mainDialogs;
  std::vector<std::chrono::milliseconds> pauses;
  AppServices services = With(windows, device, folder.path());
  std::unique_ptr<Configuration> config = std::make_unique<Configuration>();
  std::unique_ptr<MacroLibrary> library = std::make_unique<MacroLibrary>();
  CVelkanDlg dlg{services, *config};
  FakeWindowHost host{dlg};
  MainContent* content = nullptr;
};

// Main-window point of key index k's centre.
inline Point KeyCentre(std::size_t k) {
  const Rect& r = kKeyRects[k].rect;
  return {kKeyPictureOrigin.x + (r.left + r.right) / 2,
          kKeyPictureOrigin.y + (r.top + r.bottom) / 2};
}

}  // namespace tarsel::testing
