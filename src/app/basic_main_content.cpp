#include "app/basic_main_content.h"

#include "app/main_window.h"
#include "skin/slider_strip.h"

namespace tarsel {

namespace {

// The help panel's rows, 25 pixels each, inside (830..996, 22..99).
constexpr Rect kHelpPanel{830, 22, 996, 99};
constexpr Rect kLogoArea{19, 32, 261, 102};

}  // namespace

void BasicMainContent::PaintLightingSection(Canvas& canvas) {
  DrawSliderStrip(canvas, dlg_.brightnessSlider(), dlg_.config().block);
  DrawSliderStrip(canvas, dlg_.speedSlider(), dlg_.config().block);
}

void BasicMainContent::PaintPerformanceSections(Canvas& canvas) {
  DrawSliderStrip(canvas, dlg_.reportRateSlider(), dlg_.config().block);
}

int BasicMainContent::HitTest(int x, int y) const {
  const MainRegionTable& regions = dlg_.state().regions;
  for (int r = 0; r < static_cast<int>(kMainRegionCount); ++r) {
    if (regions.Contains(r, x, y)) return r;
  }
  if (kLogoArea.Contains(x, y)) return kRegionLogo;
  return kRegionNone;
}

void BasicMainContent::OnClick(int x, int y) {
  MainWindowState& state = dlg_.state();
  if (state.helpPanelOpen) {
    // Any click closes the panel; only its first two rows do something.
    state.helpPanelOpen = false;
    if (kHelpPanel.Contains(x, y)) {
      const int row = (y - kHelpPanel.top) / 25;
      if (row == 0) dlg_.OpenHomePage();
      if (row == 1) dlg_.LaunchUpdater();
    }
    return;
  }
  switch (HitTest(x, y)) {
    case kRegionHelp:
      state.helpPanelOpen = true;
      break;
    case kRegionMinimise:
      dlg_.HideWindow();
      break;
    case kRegionClose:
      dlg_.CloseFromButton();
      break;
    default:
      break;
  }
}

bool BasicMainContent::OnHover(int x, int y) {
  MainWindowState& state = dlg_.state();
  const int region = HitTest(x, y);
  if (region != kRegionNone) {
    state.lastRegion = region;
    return false;
  }
  if (state.lastRegion != kRegionNone) {
    state.lastRegion = kRegionNone;
    return true;
  }
  return false;
}

bool BasicMainContent::IsDragArea(int x, int y) {
  return HitTest(x, y) == kRegionNone;
}

}  // namespace tarsel
