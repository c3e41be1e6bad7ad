#include "app/main_layout.h"

namespace tarsel {

SectionLayout SectionLayout::Compute(bool lightingCollapsed, bool responseTimeCollapsed) {
  SectionLayout s;
  s.a = lightingCollapsed ? 30 : 225;
  s.d = s.a + 220 + (responseTimeCollapsed ? 40 : 75);
  s.lighting = {19, 110};
  s.macroStrip = {19, s.a + 110};
  s.gameMode = {19, s.a + 165};
  s.responseTime = {19, s.a + 220};
  s.reportRate = {19, s.d};
  s.responseList = {27, s.a + 47};
  return s;
}

MainRegionTable::MainRegionTable() {
  const auto set = [this](int n, Rect r) {
    regions_[n].rect = r;
    regions_[n].inUse = true;
  };
  set(kRegionHelp, {936, 5, 952, 20});
  set(kRegionMinimise, {957, 5, 973, 20});
  set(kRegionClose, {978, 5, 994, 20});
  set(kRegionEffectSelector, {28, 158, 248, 173});
  set(kRegionDirection1, {29, 197, 64, 212});
  set(kRegionDirection2, {79, 197, 114, 212});
  set(kRegionDirection3, {129, 197, 164, 212});
  set(kRegionDirection4, {179, 197, 214, 212});
  set(kRegionProfile, {19, 605, 89, 633});
  set(kRegionDefault, {800, 605, 857, 635});
  set(kRegionCancel, {861, 605, 918, 635});
  set(kRegionSave, {923, 605, 980, 635});
  for (int n : {9, 10, 11, 12, 18, 19, 20, 21}) regions_[n].inUse = true;
  Update(SectionLayout::Compute(false, false));
}

void MainRegionTable::Update(const SectionLayout& s) {
  const int a = s.a;
  regions_[kRegionMacroManagement].rect = {19, a + 120, 259, a + 138};
  regions_[kRegionGameModeOn].rect = {34, a + 198, 44, a + 207};
  regions_[kRegionGameModeOff].rect = {88, a + 198, 115, a + 207};
  regions_[kRegionResponseTime].rect = {28, a + 248, 248, a + 264};
  regions_[kRegionLightingHeader].rect = {19, 110, 261, 130};
  regions_[kRegionGameModeHeader].rect = {19, a + 165, 261, a + 185};
  regions_[kRegionResponseTimeHeader].rect = {19, a + 220, 261, a + 240};
  regions_[kRegionReportRateHeader].rect = {19, s.d, 261, s.d + 20};
}

const SkinRegion* MainRegionTable::Find(int region) const {
  if (region < 0 || region >= static_cast<int>(kMainRegionCount)) return nullptr;
  const SkinRegion& r = regions_[region];
  return r.inUse ? &r : nullptr;
}

}  // namespace tarsel
