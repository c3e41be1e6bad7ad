// CVelkanDlg: the main window. Owns the process-wide configuration's view, runs start-up and
// shutdown, the fixed parts of the paint pass, the sliders, the tray and the firmware prompt,
// and hands the settings panel and keyboard picture to its content.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "app/app_services.h"
#include "app/firmware_version.h"
#include "app/keyboard_session.h"
#include "app/language.h"
#include "app/main_window_content.h"
#include "app/main_window_state.h"
#include "config/configuration.h"
#include "config/key_labels.h"
#include "config/keymap_file.h"
#include "platform/window_host.h"
#include "skin/bit_slider.h"

namespace tarsel {

inline constexpr char16_t kWindowTitle[] = u"Tarsel Gaming Keyboard";
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uintptr_t kCommandTrayExit = 32772;
inline constexpr int kDialogOk = 1;
inline constexpr uintptr_t kNoDeviceNoticeCode = 15;
inline constexpr Size kFallbackClientSize{1000, 645};

class CVelkanDlg final : public WindowHandler {
 public:
  CVelkanDlg(AppServices& services, Configuration& config);
  ~CVelkanDlg() override;
  CVelkanDlg(const CVelkanDlg&) = delete;
  CVelkanDlg& operator=(const CVelkanDlg&) = delete;

  // Replaces the window's own buttons-and-sliders content.
  void SetContent(std::unique_ptr<MainWindowContent> content);
  // Loads the macro library at its start-up step (the library's owner provides it).
  void SetMacroLibraryLoader(std::function<void(const std::filesystem::path&)> loader);
  void Attach(WindowHost& host) { host_ = &host; }

  // Start-up sequence; the window is shown at its end unless the keyboard is absent.
  bool OnInitDialog();
  // Shutdown sequence, after the modal run ended.
  void OnDestroy();
  // A later launch of the program asked for this window.
  void Activate();

  // WindowHandler
  SkinSource Skin() const override;
  void OnPaint(Canvas& canvas) override;
  void OnMouseDown(MouseButton button, int x, int y) override;
  void OnMouseUp(MouseButton button, int x, int y) override;
  void OnMouseMove(int x, int y, bool leftButtonDown) override;
  void OnMouseWheel(int x, int y, int delta) override;
  void OnFocusLost() override;
  intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

  // Actions the window's buttons and content use.
  // Minimise and Cancel: hide to the tray, or minimise to the task bar where there is no tray.
  void HideWindow();
  // Close button: keymap.bin from the saved copy, then end.
  void CloseFromButton();
  // Tray "Exit": end without writing any file.
  void ExitFromTray();
  void LaunchUpdater();
  // The help panel's first row.
  void OpenHomePage();
  // A click while the help panel is open: its first row opens the home page, its second starts
  // the updater; any click, on the panel or elsewhere, closes it and does nothing more.
  void ClickHelpPanel(int x, int y);
  void RunFirmwareCheck();
  // Writes keymap.bin; a failure is reported, and the flow goes on.
  void SaveKeymap(KeymapSource source);
  // Tells the user when keymap.bin could not be written: once per run of failures, so that a
  // full disk does not bring a message with every click.
  void ReportKeymapSave(const FileStatus& status);
  // Call after the block was replaced and before the next paint pass: the pass copies the
  // sliders' positions into the block.
  void SetSlidersFromBlock();

  Configuration& config() { return config_; }
  MainWindowState& state() { return state_; }
  Language language() const { return language_; }
  const std::filesystem::path& programFolder() const { return services_.programFolder; }
  const std::filesystem::path& skinFolder() const { return skinFolder_; }
  FirmwareVersion packageVersion() const { return packageVersion_; }
  const KeyLabels& keyLabels() const { return *keyLabels_; }
  AppServices& services() { return services_; }
  WindowHost& host() { return *host_; }
  CBitSlider& speedSlider() { return speedSlider_; }
  CBitSlider& brightnessSlider() { return brightnessSlider_; }
  CBitSlider& reportRateSlider() { return reportRateSlider_; }
  CBitSlider* SliderById(int controlId);

 private:
  // Delivers the sliders' notices straight to this window on the UI thread.
  class SelfSink final : public MessageSink {
   public:
    explicit SelfSink(CVelkanDlg& dlg) : dlg_(dlg) {}
    void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
      dlg_.OnMessage(message, wParam, lParam);
    }
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
      return dlg_.OnMessage(message, wParam, lParam);
    }

   private:
    CVelkanDlg& dlg_;
  };

  void OnDeviceStateReady(intptr_t lParam);
  void OnTrayNotify(intptr_t mouseMessage);
  void OnNoDeviceNotice(uintptr_t code);
  void OnSliderChanged(int controlId);
  void InitSlider(CBitSlider& slider, int id, int maximum, std::optional<int> position);
  void PaintFixedParts(Canvas& canvas);
  void PaintMacroStrip(Canvas& canvas);
  void PaintHelpPanel(Canvas& canvas);
  CBitSlider* SliderAt(int x, int y);

  AppServices& services_;
  Configuration& config_;
  WindowHost* host_ = nullptr;
  std::unique_ptr<MainWindowContent> content_;
  std::function<void(const std::filesystem::path&)> loadMacroLibrary_;
  SelfSink selfSink_{*this};

  Language language_ = Language::English;
  std::filesystem::path skinFolder_;
  FirmwareVersion packageVersion_{};
  std::optional<KeyLabels> keyLabels_;
  MainWindowState state_;
  CBitSlider speedSlider_{selfSink_};
  CBitSlider brightnessSlider_{selfSink_};
  CBitSlider reportRateSlider_{selfSink_};
  // What each slider's strip last showed (speed, brightness, report rate), by notice or pass.
  std::array<int, 3> lastDrawnSliderPos_{};
  CBitSlider* capturedSlider_ = nullptr;
  bool deviceWatchStarted_ = false;
  bool trayAdded_ = false;
  bool keymapSaveFailed_ = false;
};

}  // namespace tarsel
