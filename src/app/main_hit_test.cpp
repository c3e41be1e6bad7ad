#include "app/main_hit_test.h"

#include <initializer_list>

#include "lighting/color_view.h"
#include "lighting/effects.h"

namespace tarsel {

namespace {

int FirstOf(const MainRegionTable& regions, std::initializer_list<int> numbers, int x, int y) {
  for (int n : numbers) {
    if (regions.Contains(n, x, y)) return n;
  }
  return kRegionNone;
}

}  // namespace

int MainHitTest(const MainWindowState& state, uint8_t effect, int x, int y) {
  const MainRegionTable& regions = state.regions;
  const int a = state.layout.a;
  int r =
      FirstOf(regions, {kRegionHelp, kRegionMinimise, kRegionClose, kRegionLightingHeader}, x, y);
  if (r != kRegionNone) return r;

  if (!state.lightingCollapsed) {
    if (IsPerKeyEffect(effect)) {
      if (kKeymapViewSwitch.Contains(x, y)) return kRegionKeymapView;
      if (kDiyViewSwitch.Contains(x, y)) return kRegionDiyView;
    }
    r = FirstOf(regions,
                {kRegionEffectSelector, kRegionDirection1, kRegionDirection2, kRegionDirection3,
                 kRegionDirection4, kRegionMacroManagement},
                x, y);
    if (r != kRegionNone) return r;
    for (int k = 0; k < 8; ++k) {
      if (Rect{28 + 25 * k, 223, 48 + 25 * k, 243}.Contains(x, y)) return kRegionSwatchFirst + k;
    }
  } else if (regions.Contains(kRegionMacroManagement, x, y)) {
    return kRegionMacroManagement;
  }

  if (!state.gameModeCollapsed) {
    r = FirstOf(regions, {kRegionGameModeOn, kRegionGameModeOff, kRegionGameModeHeader}, x, y);
    if (r != kRegionNone) return r;
    if (Rect{164, a + 198, 174, a + 207}.Contains(x, y)) return kRegionWinLockOn;
    if (Rect{218, a + 198, 245, a + 207}.Contains(x, y)) return kRegionWinLockOff;
  } else if (regions.Contains(kRegionGameModeHeader, x, y)) {
    return kRegionGameModeHeader;
  }

  if (!state.responseTimeCollapsed && regions.Contains(kRegionResponseTime, x, y)) {
    return kRegionResponseTime;
  }
  r = FirstOf(regions,
              {kRegionResponseTimeHeader, kRegionReportRateHeader, kRegionProfile, kRegionDefault,
               kRegionCancel, kRegionSave},
              x, y);
  if (r != kRegionNone) return r;
  if (kLogoArea.Contains(x, y)) return kRegionLogo;
  return kRegionNone;
}

}  // namespace tarsel
