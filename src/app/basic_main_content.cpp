#include "app/basic_main_content.h"

#include "app/main_window.h"
#include "skin/slider_strip.h"

namespace tarsel {

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
    dlg_.ClickHelpPanel(x, y);
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
