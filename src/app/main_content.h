// The main window's full content: the settings panel, the keyboard picture, the pop-up lists,
// the click dispatch over the region table, hover, and the flows of the bottom buttons and the
// macro and profile dialogs.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "app/main_dialogs.h"
#include "app/main_window_content.h"
#include "lighting/lighting_section.h"
#include "lighting/performance_sections.h"
#include "macro/macro_library.h"

namespace tarsel {

class CVelkanDlg;

class MainContent final : public MainWindowContent {
 public:
  // Pauses the UI thread between the profile dialog and the refresh that follows it.
  using Pause = std::function<void(std::chrono::milliseconds)>;

  // library is the process-wide macro library; dialogs runs the modal dialogs.
  MainContent(CVelkanDlg& dlg, MacroLibrary& library, MainWindowDialogs& dialogs, Pause pause = {});

  void PaintKeyboardOverlay(Canvas& canvas) override;
  void PaintLightingSection(Canvas& canvas) override;
  void PaintPerformanceSections(Canvas& canvas) override;
  void PaintDropDown(Canvas& canvas) override;
  void OnClick(int x, int y) override;
  bool OnHover(int x, int y) override;
  bool IsDragArea(int x, int y) override;
  void OnConfigurationReplaced() override;

  // The region under (x, y) with the current folds and effect.
  int HitTest(int x, int y);

  // The flows of the bottom buttons and the two dialogs.
  void SaveFlow();
  void CancelFlow();
  void FactorySettingFlow();
  void MacroManagerFlow();
  void ProfileFlow();

 private:
  void ActOnRegion(int region);
  void ClickSwatch(int swatch);
  // A click that reached the keyboard picture: key assignment, or a key colour in the colour
  // view.
  void ClickKey(int x, int y);
  void AssignKey(uint8_t k);
  void ColourKey(uint8_t k);
  LightingSectionView LightingView();
  PerformanceView PerformanceViewState();
  LightingSliders Sliders();

  CVelkanDlg& dlg_;
  MacroLibrary& library_;
  MainWindowDialogs& dialogs_;
  Pause pause_;
  PerformanceSections performance_;
  uint8_t lastMoveKey_ = 255;  // key under the pointer at the previous mouse move
};

}  // namespace tarsel
