#include "app/main_window.h"

#include <utility>

#include "app/basic_main_content.h"
#include "config/utf_text.h"
#include "device/sequences/host_action.h"
#include "platform/messages.h"
#include "skin/skin_palette.h"
#include "skin/slider_strip.h"

namespace tarsel {

namespace {

constexpr char16_t kHomePage[] = u"www.brenmor.example";
constexpr char kHomePageUrl[] = "https://www.brenmor.example/";

// Slots of lastDrawnSliderPos_.
int SliderSlot(int controlId) {
  switch (controlId) {
    case kSpeedSliderId:
      return 0;
    case kBrightnessSliderId:
      return 1;
    case kReportRateSliderId:
      return 2;
    default:
      return -1;
  }
}

}  // namespace

CVelkanDlg::CVelkanDlg(AppServices& services, Configuration& config)
    : services_(services), config_(config), content_(std::make_unique<BasicMainContent>(*this)) {}

CVelkanDlg::~CVelkanDlg() = default;

void CVelkanDlg::SetContent(std::unique_ptr<MainWindowContent> content) {
  content_ = std::move(content);
}

void CVelkanDlg::SetMacroLibraryLoader(std::function<void(const std::filesystem::path&)> loader) {
  loadMacroLibrary_ = std::move(loader);
}

bool CVelkanDlg::OnInitDialog() {
  // 2-3: language and title.
  language_ = ReadLanguage(services_.settings);
  host_->SetTitle(kWindowTitle);
  state_.colorEditView = false;
  // 4: sliders at their start places, sized to their track pictures.
  speedSlider_.Place(28, 303);
  brightnessSlider_.Place(28, 260);
  reportRateSlider_.Place(28, 530);
  // 5: region table (built with the state), 6: the updater's firmware version.
  packageVersion_ = ReadVersionFile(programFolder());
  // 7-8: skin folder; the window takes the size of its background picture.
  skinFolder_ = SkinFolder(programFolder(), language_);
  if (!host_->SizeToBackground()) host_->Resize(kFallbackClientSize);
  // 9: no key changed, none under the pointer.
  state_.keyChanged.fill(false);
  state_.hoveredKey = kNoKey;
  // 10: hot-plug notices reach the UI thread as posted messages.
  MessageSink& messages = host_->Messages();
  deviceWatchStarted_ = services_.deviceChanges.Start([&messages](DeviceChange change) {
    messages.Post(WM_DEVICECHANGE,
                  change == DeviceChange::Arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                  0);
  });
  if (!deviceWatchStarted_) {
    services_.dialogs.ShowMessageBox(host_, u"Cannot register for Wdm2 class device notification",
                                     u"", MessageBoxButtons::Ok);
  }
  // 11: all sections unfolded.
  state_.lightingCollapsed = state_.gameModeCollapsed = false;
  state_.responseTimeCollapsed = state_.reportRateCollapsed = false;
  state_.Relayout();
  // 12: slider ranges and start positions.
  InitSlider(speedSlider_, kSpeedSliderId, 9, std::nullopt);
  InitSlider(brightnessSlider_, kBrightnessSliderId, 50, 1);
  InitSlider(reportRateSlider_, kReportRateSliderId, 3, 1);
  // 13-14: macro library and key labels.
  if (loadMacroLibrary_) loadMacroLibrary_(programFolder());
  keyLabels_ = KeyLabels::BuildKeyLabels();
  // 15: no pop-up open.
  state_.effectListOpen = state_.responseListOpen = state_.helpPanelOpen = false;
  // 16: keymap.bin must be in the block before the keyboard's values are read over it.
  LoadKeymapAtStartup(config_, programFolder());
  // The sliders show what was loaded; left at their start positions, the first paint pass would
  // copy those over the loaded brightness, speed and report rate.
  SetSlidersFromBlock();
  // 17-18: the keyboard; without it the window stays hidden behind the tray icon.
  services_.device.Bind(messages, config_);
  bool keyboardPresent = services_.device.OpenAndStartInitialRead(messages);
  keyboardPresent = services_.device.OpenAndStartListener(messages) && keyboardPresent;
  // 19: tray icon.
  trayAdded_ = services_.tray.Add(kWindowTitle, messages);
  // 20: show, unless the keyboard is missing. Without a tray to come back from, a hidden window
  // would be lost, so say why it is shown instead.
  if (keyboardPresent) {
    host_->Show(ShowState::Normal);
  } else if (!trayAdded_) {
    host_->Show(ShowState::Normal);
    services_.dialogs.ShowMessageBox(host_, u"No Gaming Keyboard Detected!", u"Warning",
                                     MessageBoxButtons::Ok);
  } else {
    host_->Show(ShowState::Hidden);
  }
  return true;
}

void CVelkanDlg::OnDestroy() {
  if (trayAdded_) services_.tray.Remove();
  trayAdded_ = false;
  if (deviceWatchStarted_) services_.deviceChanges.Stop();
  deviceWatchStarted_ = false;
  services_.device.Shutdown();
}

void CVelkanDlg::Activate() {
  host_->BringToFront();
}

void CVelkanDlg::InitSlider(CBitSlider& slider, int id, int maximum, std::optional<int> position) {
  slider.SetRange(0, maximum);
  slider.SetLineSize(1);
  slider.SetPageSize(1);
  if (position) slider.SetPos(*position, false);
  slider.SetControlId(id);
}

SkinSource CVelkanDlg::Skin() const {
  return {skinFolder_.string(), "main.png"};
}

void CVelkanDlg::OnPaint(Canvas& canvas) {
  state_.Relayout();
  PaintFixedParts(canvas);
  if (content_) content_->PaintLightingSection(canvas);
  PaintMacroStrip(canvas);
  if (content_) {
    content_->PaintPerformanceSections(canvas);
    content_->PaintDropDown(canvas);
  }
  if (state_.helpPanelOpen) PaintHelpPanel(canvas);
  // The pass drew every visible slider's strip: that is the position each one shows now, and a
  // notice for the same position has nothing to redraw.
  for (CBitSlider* slider : {&speedSlider_, &brightnessSlider_, &reportRateSlider_}) {
    const int slot = SliderSlot(slider->ControlId());
    if (slot >= 0 && slider->IsVisible()) lastDrawnSliderPos_[slot] = slider->GetPos();
  }
}

void CVelkanDlg::PaintFixedParts(Canvas& canvas) {
  canvas.DrawSkinImage("button-help-normal.png", 936, 5);
  canvas.DrawSkinImage("button-min-normal.png", 957, 5);
  canvas.DrawSkinImage("button-close-normal.png", 978, 5);
  canvas.DrawSkinImage("logo.png", 19, 35);
  canvas.DrawSkinImage("kb_BK.png", 307, 211);
  if (content_) content_->PaintKeyboardOverlay(canvas);
  canvas.DrawSkinImage("button-cancel-normal.png", 800, 605);
  canvas.DrawSkinImage("button-cancel-normal.png", 862, 605);
  canvas.DrawSkinImage("button-save-normal.png", 924, 605);
  canvas.DrawSkinImage("Config.png", 17, 603);
  const Language l = language_;
  canvas.DrawSkinText(Pick(l, u"Profile", u"配置"), 45, 610, kMarkTextColour, 16);
  canvas.DrawSkinText(Pick(l, u"Default", u"恢复"), 810, 612, kLabelTextColour, 16);
  canvas.DrawSkinText(Pick(l, u"Cancel", u"取消"), 872, 612, kLabelTextColour, 16);
  if (l == Language::Chinese) {
    canvas.DrawSkinText(u"保存", 934, 612, kAccentTextColour, 16);
  } else {
    canvas.DrawSkinText(u"Save", 938, 612, kAccentTextColour, 16);
  }
}

void CVelkanDlg::PaintMacroStrip(Canvas& canvas) {
  const int a = state_.layout.a;
  canvas.DrawSkinImage("MacroManagementBK.png", 19, a + 110);
  canvas.DrawSkinImage("MacroButton3.png", 19, a + 120);
  canvas.DrawSkinText(Pick(language_, u"Macro Management", u"宏管理器"), 21, a + 122,
                      kLabelTextColour, 15);
}

void CVelkanDlg::PaintHelpPanel(Canvas& canvas) {
  canvas.DrawSkinImage("HelpWindow.png", 830, 22);
  canvas.DrawSkinText(kHomePage, 850, 25, kHelpTextColour, 15);
  canvas.DrawSkinText(Pick(language_, u"Update Firmware", u"驱动更新"), 850, 50, kHelpTextColour,
                      15);
  canvas.DrawSkinText(u"Ver: 1.0", 850, 75, kHelpTextColour, 15);
}

CBitSlider* CVelkanDlg::SliderById(int controlId) {
  switch (controlId) {
    case kSpeedSliderId:
      return &speedSlider_;
    case kBrightnessSliderId:
      return &brightnessSlider_;
    case kReportRateSliderId:
      return &reportRateSlider_;
    default:
      return nullptr;
  }
}

CBitSlider* CVelkanDlg::SliderAt(int x, int y) {
  for (CBitSlider* s : {&speedSlider_, &brightnessSlider_, &reportRateSlider_}) {
    if (s->Contains(x, y)) return s;
  }
  return nullptr;
}

void CVelkanDlg::OnMouseDown(MouseButton button, int x, int y) {
  if (button != MouseButton::Left) return;
  // A press on a slider belongs to the slider, not to the window.
  if (CBitSlider* slider = SliderAt(x, y); slider && slider->OnMouseDown(x, y)) {
    capturedSlider_ = slider;
    return;
  }
  state_.dragArmed = true;
}

void CVelkanDlg::OnMouseUp(MouseButton button, int x, int y) {
  if (button != MouseButton::Left) return;
  if (capturedSlider_) {
    capturedSlider_->OnMouseUp(x, y);
    capturedSlider_ = nullptr;
    return;
  }
  state_.Relayout();
  if (content_) content_->OnClick(x, y);
  host_->Repaint();
}

void CVelkanDlg::OnMouseMove(int x, int y, bool leftButtonDown) {
  if (capturedSlider_) {
    capturedSlider_->OnMouseMove(x, y);
    return;
  }
  if (!leftButtonDown) state_.dragArmed = false;
  if (CBitSlider* slider = SliderAt(x, y)) slider->OnMouseMove(x, y);
  state_.Relayout();
  if (state_.dragArmed && leftButtonDown && content_ && content_->IsDragArea(x, y)) {
    state_.dragArmed = false;
    host_->StartSystemMove();
    return;
  }
  if (content_ && content_->OnHover(x, y)) host_->Repaint();
}

void CVelkanDlg::OnMouseWheel(int /*x*/, int /*y*/, int /*delta*/) {
  // Sliders ignore the wheel, and nothing else on the window scrolls.
}

void CVelkanDlg::OnFocusLost() {
  if (capturedSlider_) {
    capturedSlider_->OnMouseUp(-1, -1);
    capturedSlider_ = nullptr;
  }
  state_.dragArmed = false;
  host_->Repaint();
}

intptr_t CVelkanDlg::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_SLIDER_CHANGED:
      OnSliderChanged(static_cast<int>(wParam));
      return 0;
    case WM_DEVICE_STATE_READY:
      OnDeviceStateReady(lParam);
      return 0;
    case WM_TRAY_NOTIFY:
      OnTrayNotify(lParam);
      return 0;
    case WM_NO_DEVICE_NOTICE:
      OnNoDeviceNotice(wParam);
      return 0;
    case WM_COMMAND:
      if (wParam == kCommandTrayExit) ExitFromTray();
      return 0;
    case WM_HOST_ACTION_KEY:
      OnHostActionKey(config_.store, static_cast<uint8_t>(wParam), services_.shell);
      return 0;
    case WM_DEVICECHANGE:
      services_.device.OnDeviceChange(
          wParam == DBT_DEVICEARRIVAL ? DeviceChange::Arrival : DeviceChange::Removal,
          host_->Messages());
      return 0;
    default:
      break;
  }
  intptr_t result = 0;
  if (content_ && content_->OnMessage(message, wParam, lParam, result)) return result;
  return 0;
}

void CVelkanDlg::OnSliderChanged(int controlId) {
  CBitSlider* slider = SliderById(controlId);
  const int slot = SliderSlot(controlId);
  if (!slider || slot < 0 || !slider->IsVisible()) return;
  const int pos = slider->GetPos();
  if (pos == lastDrawnSliderPos_[slot]) return;
  lastDrawnSliderPos_[slot] = pos;
  if (uint8_t* field = SliderField(config_.block, controlId)) *field = static_cast<uint8_t>(pos);
  if (host_) host_->Repaint();
}

void CVelkanDlg::SetSlidersFromBlock() {
  // Every strip drawing copies its slider's position into the block, so a repaint between two
  // of these would overwrite the fields not yet set with stale positions: set all, then repaint.
  brightnessSlider_.SetPos(config_.block.brightness, false);
  speedSlider_.SetPos(config_.block.speed, false);
  reportRateSlider_.SetPos(config_.block.reportRate, false);
}

void CVelkanDlg::OnDeviceStateReady(intptr_t lParam) {
  services_.device.TakeDeviceState(config_);
  services_.device.ReadReportRate(config_.block);
  SetSlidersFromBlock();
  if (content_) content_->OnConfigurationReplaced();
  if (lParam == 0) services_.device.ReadLighting(config_.block);
  SetSlidersFromBlock();
  SaveKeymap(KeymapSource::Live);
  host_->Repaint();
  if (lParam == 0) RunFirmwareCheck();
}

void CVelkanDlg::SaveKeymap(KeymapSource source) {
  // A keymap.bin that cannot be written is left as it was; the settings stay in memory and the
  // next save tries again.
  ReportKeymapSave(SaveKeymapFile(config_, programFolder(), source));
}

void CVelkanDlg::ReportKeymapSave(const FileStatus& status) {
  if (status.ok()) {
    keymapSaveFailed_ = false;
    return;
  }
  if (keymapSaveFailed_) return;
  keymapSaveFailed_ = true;
  // The system's error text may be in the user's language, so it is decoded, not copied.
  const std::u16string why = Utf8ToUtf16(DescribeFileStatus(status)).value_or(u"?");
  std::u16string text(
      Pick(language_, u"keymap.bin could not be saved (", u"无法保存 keymap.bin（"));
  text += why;
  text += Pick(language_,
               u"). The settings are kept while the program runs and are saved again with the "
               u"next change.",
               u"）。设置在程序运行期间保留，下次更改时将再次保存。");
  services_.dialogs.ShowMessageBox(host_, text, Pick(language_, u"Save", u"保存"),
                                   MessageBoxButtons::Ok);
}

void CVelkanDlg::OnTrayNotify(intptr_t mouseMessage) {
  if (mouseMessage == kTrayLeftDoubleClick) {
    if (services_.device.CommandInterfacePresent()) {
      host_->Show(ShowState::Normal);
      host_->BringToFront();
    } else {
      host_->Messages().Send(WM_NO_DEVICE_NOTICE, kNoDeviceNoticeCode, 0);
    }
  } else if (mouseMessage == kTrayRightButtonDown) {
    if (services_.tray.RunSingleItemMenu(Pick(language_, u"Exit", u"退出"))) {
      OnMessage(WM_COMMAND, kCommandTrayExit, 0);
    }
  }
}

void CVelkanDlg::OnNoDeviceNotice(uintptr_t code) {
  if (code != kNoDeviceNoticeCode) return;
  services_.tray.ShowBalloon(u"Warning", u"No Gaming Keyboard Detected!");
}

void CVelkanDlg::HideWindow() {
  host_->Show(trayAdded_ ? ShowState::Hidden : ShowState::Minimised);
}

void CVelkanDlg::CloseFromButton() {
  SaveKeymap(KeymapSource::Saved);
  host_->EndDialog(kDialogOk);
}

void CVelkanDlg::ExitFromTray() {
  host_->EndDialog(kDialogOk);
}

void CVelkanDlg::LaunchUpdater() {
  services_.launcher.StartProgram(programFolder() / kUpdaterFileName);
}

void CVelkanDlg::OpenHomePage() {
  services_.launcher.OpenUrl(kHomePageUrl);
}

void CVelkanDlg::ClickHelpPanel(int x, int y) {
  state_.helpPanelOpen = false;
  if (!kHelpPanelArea.Contains(x, y)) return;
  const int row = (y - kHelpPanelArea.top) / kHelpPanelRowHeight;
  if (row == 0) OpenHomePage();
  if (row == 1) LaunchUpdater();
}

void CVelkanDlg::RunFirmwareCheck() {
  const FirmwareVersion keyboard{config_.firmwareVersion[0], config_.firmwareVersion[1]};
  if (!PackageIsNewer(packageVersion_, keyboard)) return;
  const MessageBoxResult answer = services_.dialogs.ShowMessageBox(
      host_, Pick(language_, u"Update new firmware\uFF1F", u"更新到新的固件吗？"),
      Pick(language_, u"Firmware Update", u"固件更新"), MessageBoxButtons::OkCancel);
  if (answer == MessageBoxResult::Ok) LaunchUpdater();
}

}  // namespace tarsel
