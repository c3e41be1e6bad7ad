// The strip of a bitmap slider as its parent window draws it: filled track left of the thumb,
// empty track right of it, the thumb picture on top. Drawing also copies the slider's position
// into the field of the state block the slider edits.
#pragma once

#include "config/device_state_block.h"
#include "platform/canvas.h"
#include "skin/bit_slider.h"

namespace tarsel {

// The state block field a slider edits by its control identifier; nullptr for an unknown one.
uint8_t* SliderField(DeviceStateBlock& block, int controlId);

// Stores the position, then draws the strip at the slider's place. Hidden sliders are neither
// stored nor drawn.
void DrawSliderStrip(Canvas& canvas, const CBitSlider& slider, DeviceStateBlock& block);

}  // namespace tarsel
