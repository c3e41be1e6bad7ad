// The main window's view state: folds, pop-ups, hover, the per-key change markers and the layout
// that follows the folds. Owned by the main window, shared with the content drawn on it.
#pragma once

#include <array>
#include <cstdint>

#include "app/main_layout.h"

namespace tarsel {

inline constexpr uint8_t kNoKey = 255;
inline constexpr uint8_t kNoRow = 255;

struct MainWindowState {
  bool lightingCollapsed = false;
  bool gameModeCollapsed = false;
  bool responseTimeCollapsed = false;
  bool reportRateCollapsed = false;

  bool colorEditView = false;
  bool effectListOpen = false;
  bool responseListOpen = false;
  bool helpPanelOpen = false;

  bool dragArmed = false;  // a left press that may become a window move

  uint8_t effectRowHover = kNoRow;
  uint8_t responseRowHover = kNoRow;
  int lastRegion = kRegionNone;
  uint8_t hoveredKey = kNoKey;  // also the key the key-assignment dialog works on
  std::array<bool, 255> keyChanged{};

  SectionLayout layout = SectionLayout::Compute(false, false);
  MainRegionTable regions;

  // Call after changing a fold: moves the sections and the regions that follow them.
  void Relayout() {
    layout = SectionLayout::Compute(lightingCollapsed, responseTimeCollapsed);
    regions.Update(layout);
  }
};

}  // namespace tarsel
