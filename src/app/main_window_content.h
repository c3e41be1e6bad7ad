// The settings, keyboard picture and pop-ups drawn on the main window, plugged into its paint
// pass and its mouse handling. The main window draws its fixed pictures and labels itself and
// calls these in paint order.
#pragma once

#include <cstdint>

#include "platform/canvas.h"

namespace tarsel {

class MainWindowContent {
 public:
  virtual ~MainWindowContent() = default;

  // Paint pass, after the window's buttons, logo and keyboard picture.
  virtual void PaintKeyboardOverlay(Canvas& /*canvas*/) {}
  // The lighting section at the top of the left-hand panel (sliders included).
  virtual void PaintLightingSection(Canvas& /*canvas*/) {}
  // Game mode, response time and report rate, below the macro strip.
  virtual void PaintPerformanceSections(Canvas& /*canvas*/) {}
  // An open drop-down list, over everything else of the panel.
  virtual void PaintDropDown(Canvas& /*canvas*/) {}

  // A left-button release: close an open pop-up or act on what lies at (x, y). The window runs
  // a full paint pass afterwards.
  virtual void OnClick(int x, int y) = 0;
  // Pointer moved with no slider dragging; true when the window should repaint.
  virtual bool OnHover(int x, int y) = 0;
  // True when a press at (x, y) on the picture may move the window (nothing clickable there).
  virtual bool IsDragArea(int x, int y) = 0;
  // The block and store were replaced (read from the keyboard or a profile): recompute anything
  // derived from them, such as the per-key change markers.
  virtual void OnConfigurationReplaced() {}
  // Numbered messages the window itself does not handle. Return true when handled.
  virtual bool OnMessage(uint32_t /*message*/, uintptr_t /*wParam*/, intptr_t /*lParam*/,
                         intptr_t& /*result*/) {
    return false;
  }
};

}  // namespace tarsel
