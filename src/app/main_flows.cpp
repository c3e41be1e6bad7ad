// The flows behind the Save, Cancel and Default buttons, the macro and profile dialogs, and a
// click on a key in the key-assignment view.
#include <filesystem>

#include "app/keyboard_view.h"
#include "app/main_content.h"
#include "app/main_window.h"
#include "config/assignment_compiler.h"
#include "config/key_table.h"
#include "config/keymap_file.h"
#include "platform/messages.h"

namespace tarsel {

namespace {

// Shows the wait cursor while the window talks to the keyboard.
class WaitCursor {
 public:
  explicit WaitCursor(WindowHost& host) : host_(host) { host_.SetCursor(CursorShape::Wait); }
  ~WaitCursor() { host_.SetCursor(CursorShape::Arrow); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  WindowHost& host_;
};

constexpr std::chrono::milliseconds kProfileSettle{50};

}  // namespace

void MainContent::SaveFlow() {
  Configuration& config = dlg_.config();
  bool confirmed = false;
  {
    WaitCursor wait(dlg_.host());
    confirmed = dlg_.services().device.WriteChanges(config);
    // What the keyboard did not confirm keeps its old saved copy, so that the next Save sends it
    // again; only a confirmed write becomes the saved state.
    if (confirmed) {
      config.TakeSavedBlockCopy();
      config.TakeSavedActionsCopy();
    }
    dlg_.SaveKeymap(KeymapSource::Live);
  }
  if (!confirmed) {
    const Language l = dlg_.language();
    dlg_.services().dialogs.ShowMessageBox(
        &dlg_.host(),
        Pick(l,
             u"The keyboard did not confirm the new settings. They are kept here and will be "
             u"sent again with the next Save.",
             u"键盘没有确认新的设置。设置已保留，下次保存时将再次发送。"),
        Pick(l, u"Save", u"保存"), MessageBoxButtons::Ok);
  }
}

void MainContent::CancelFlow() {
  Configuration& config = dlg_.config();
  MainWindowState& s = dlg_.state();
  dlg_.HideWindow();
  config.RestoreSavedCopy();
  RecomputeKeyChanged(config, s.keyChanged);
  s.colorEditView = config.block.effect >= 51;
  // The sliders copy their positions into the block on every paint; left where the user moved
  // them, the next paint would put the cancelled speed, brightness and report rate back.
  dlg_.SetSlidersFromBlock();
  dlg_.SaveKeymap(KeymapSource::Live);
}

void MainContent::FactorySettingFlow() {
  const Language l = dlg_.language();
  Dialogs& dialogs = dlg_.services().dialogs;
  const MessageBoxResult answer = dialogs.ShowMessageBox(
      &dlg_.host(), Pick(l, u"Confirm to return Factory Setting?", u"确认恢复至出厂设置吗？"),
      Pick(l, u"Factory Setting", u"出厂设置"), MessageBoxButtons::OkCancel);
  if (answer != MessageBoxResult::Ok) return;

  Configuration& config = dlg_.config();
  MainWindowState& s = dlg_.state();
  KeyboardSession& device = dlg_.services().device;
  bool restored = false;
  {
    WaitCursor wait(dlg_.host());
    s.colorEditView = false;
    s.lightingCollapsed = s.gameModeCollapsed = true;
    s.responseTimeCollapsed = s.reportRateCollapsed = true;
    s.Relayout();

    restored = device.RestoreFactorySettings(config);
    dlg_.SetSlidersFromBlock();
    if (restored) {
      s.keyChanged.fill(false);
      config.block.keyEnable.fill(0xFF);
      device.ReadKeyEnable(config.block);
      config.store = ActionStore{};
      ResetKeyCodes(config.store);
      // The saved copy follows only a keymap.bin that really holds the factory state.
      if (SaveKeymapFile(config, dlg_.programFolder(), KeymapSource::Live).ok()) {
        config.TakeSavedBlockCopy();
        config.TakeSavedActionsCopy();
      }
    }
  }
  if (!restored) {
    // The keyboard may or may not have been reset; what is shown and stored stays as it was
    // rather than claiming factory settings the keyboard never confirmed.
    dialogs.ShowMessageBox(
        &dlg_.host(),
        Pick(l,
             u"The keyboard did not confirm the factory setting. The settings shown were kept; "
             u"reconnect the keyboard to read its settings again.",
             u"键盘没有确认恢复出厂设置。当前显示的设置已保留；请重新连接键盘以再次读取其设置。"),
        Pick(l, u"Factory Setting", u"出厂设置"), MessageBoxButtons::Ok);
  }
}

void MainContent::MacroManagerFlow() {
  if (!dialogs_.RunMacroManager()) return;
  PackMacroSlots(library_, dlg_.config().block);
  dlg_.SaveKeymap(KeymapSource::Live);
  // A library that cannot be written stays in memory; the next OK writes it again.
  (void)SaveMacroFile(library_, dlg_.programFolder());
}

void MainContent::ProfileFlow() {
  dialogs_.RunProfileManager(dlg_.host().ScreenRect());
  pause_(kProfileSettle);
  // A refresh without the lighting re-read and the firmware check.
  dlg_.host().Messages().Send(WM_DEVICE_STATE_READY, 0, 1);
}

void MainContent::AssignKey(uint8_t k) {
  Configuration& config = dlg_.config();
  const uint8_t keyCode = KeyTable[k].defaultKeyCode;
  const KeyAssignmentRequest request{k, keyCode, dlg_.keyLabels().UsageOf(keyCode)};
  // The dialog works on the records as stored. Without a keymap.bin there is nothing to reload:
  // the live records are kept rather than emptied.
  std::error_code ignored;
  if (std::filesystem::exists(KeymapFilePath(dlg_.programFolder()), ignored)) {
    LoadKeymapFile(config, dlg_.programFolder(), true);
  }
  std::optional<PendingAssignment> pending = dialogs_.Run(request);
  if (!pending) return;

  MainWindowState& s = dlg_.state();
  s.keyChanged[k] = false;
  const AssignmentTarget target{
      config,
      library_,
      dlg_.keyLabels(),
      s.keyChanged,
      dlg_.language() == Language::Chinese ? FunctionNames::Chinese : FunctionNames::English,
      dlg_.programFolder()};
  CompileAssignment(k, *pending, target);
  // Sets or clears the key's enable bit and saves keymap.bin from the live pair; that save holds
  // everything the compile saved too, so its outcome is the one to report.
  dlg_.ReportKeymapSave(UpdateKeyEnable(k, *pending, target).saved);
}

}  // namespace tarsel
