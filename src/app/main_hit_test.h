// Which of the main window's regions lies under a point, in the window's fixed order of tests.
#pragma once

#include <cstdint>

#include "app/main_window_state.h"

namespace tarsel {

// Region number 0..34 under (x, y), or kRegionNone. The state gives the folds and the layout
// (call Relayout after changing a fold); effect decides whether the view switch is there.
int MainHitTest(const MainWindowState& state, uint8_t effect, int x, int y);

}  // namespace tarsel
