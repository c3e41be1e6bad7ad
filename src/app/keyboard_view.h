// The keyboard picture in the key-assignment view: which key lies under a point, which keys are
// marked as doing something other than their default, and how they are lit.
#pragma once

#include <cstdint>
#include <span>

#include "app/main_window_state.h"
#include "config/configuration.h"
#include "platform/canvas.h"

namespace tarsel {

inline constexpr uint8_t kWinKeyIndex = 96;
inline constexpr uint8_t kFnKeyIndex = 100;

// Key index under the main-window point (x, y), or -1. Outside the colour view the Windows and
// Fn keys cannot be picked.
int KeyHitTest(int x, int y, bool colorEditView);

// Marks every key whose map entry, record or enable bit differs from its default. The Fn key is
// never marked.
void RecomputeKeyChanged(const Configuration& config, std::span<bool> keyChanged);

// Lights the key under the pointer and every changed key by copying it from "kb_hl.png". The
// Windows key's marker is dropped: it cannot be assigned here.
void PaintKeyAssignmentView(Canvas& canvas, MainWindowState& state);

}  // namespace tarsel
