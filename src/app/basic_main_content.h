// The main window's own buttons and sliders, on their own: help panel, minimise, close, and the
// three slider strips at their places. The full settings panel and keyboard picture replace it.
#pragma once

#include "app/main_window_content.h"

namespace tarsel {

class CVelkanDlg;

class BasicMainContent final : public MainWindowContent {
 public:
  explicit BasicMainContent(CVelkanDlg& dlg) : dlg_(dlg) {}

  void PaintLightingSection(Canvas& canvas) override;
  void PaintPerformanceSections(Canvas& canvas) override;
  void OnClick(int x, int y) override;
  bool OnHover(int x, int y) override;
  bool IsDragArea(int x, int y) override;

  // The region under (x, y) among the window's buttons, or kRegionNone.
  int HitTest(int x, int y) const;

 private:
  CVelkanDlg& dlg_;
};

}  // namespace tarsel
