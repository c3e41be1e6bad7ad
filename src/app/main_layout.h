// Geometry of the main window: the clickable regions and the folding left-hand panel.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/geometry.h"

namespace tarsel {

// Region numbers of the main window. 8 and 13 are not used; 22 and above have no table entry and
// are found by coordinates alone.
enum MainRegion : int {
  kRegionNone = -1,
  kRegionHelp = 0,
  kRegionMinimise = 1,
  kRegionClose = 2,
  kRegionEffectSelector = 3,
  kRegionDirection1 = 4,
  kRegionDirection2 = 5,
  kRegionDirection3 = 6,
  kRegionDirection4 = 7,
  kRegionMacroManagement = 9,
  kRegionGameModeOn = 10,
  kRegionGameModeOff = 11,
  kRegionResponseTime = 12,
  kRegionProfile = 14,
  kRegionDefault = 15,
  kRegionCancel = 16,
  kRegionSave = 17,
  kRegionLightingHeader = 18,
  kRegionGameModeHeader = 19,
  kRegionResponseTimeHeader = 20,
  kRegionReportRateHeader = 21,
  kRegionSwatchFirst = 22,  // 22..29
  kRegionLogo = 30,
  kRegionWinLockOn = 31,
  kRegionWinLockOff = 32,
  kRegionKeymapView = 33,
  kRegionDiyView = 34,
};

// One clickable region of a skinned window. The main window draws its pictures itself, so its
// regions leave the picture names empty.
struct SkinRegion {
  Rect rect;  // inclusive
  std::u16string normalPicture;
  std::u16string hoverPicture;
  std::u16string leavePicture;
  uint32_t state = 0;
  bool inUse = false;  // false for the table's empty slots 8 and 13
};

// Where the sections of the left-hand panel sit; follows the lighting and response-time folds.
struct SectionLayout {
  int a = 225;  // vertical room of the lighting section: 30 folded, 225 unfolded
  int d = 0;    // top of the report-rate section
  Point lighting;
  Point macroStrip;
  Point gameMode;
  Point responseTime;
  Point reportRate;
  Point responseList;  // top-left of the response-time drop-down (10 rows of 20, 220 wide)

  static SectionLayout Compute(bool lightingCollapsed, bool responseTimeCollapsed);
};

inline constexpr std::size_t kMainRegionCount = 22;

// The logo (region 30, found by coordinates) and the help panel with its 25-pixel rows.
inline constexpr Rect kLogoArea{19, 32, 261, 102};
inline constexpr Rect kHelpPanelArea{830, 22, 996, 99};
inline constexpr int kHelpPanelRowHeight = 25;

// The main window's region table: fixed rectangles, and computed ones that follow the layout.
class MainRegionTable {
 public:
  MainRegionTable();
  // Recomputes the rectangles that depend on the section layout.
  void Update(const SectionLayout& layout);
  // nullptr for numbers without an entry (8, 13, 22 and above, negatives).
  const SkinRegion* Find(int region) const;
  bool Contains(int region, int x, int y) const {
    const SkinRegion* r = Find(region);
    return r != nullptr && r->rect.Contains(x, y);
  }

 private:
  std::array<SkinRegion, kMainRegionCount> regions_{};
};

}  // namespace tarsel
