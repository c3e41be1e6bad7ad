#include "skin/slider_strip.h"

#include <algorithm>
#include <cstdint>

namespace tarsel {

uint8_t* SliderField(DeviceStateBlock& block, int controlId) {
  switch (controlId) {
    case kSpeedSliderId:
      return &block.speed;
    case kBrightnessSliderId:
      return &block.brightness;
    case kReportRateSliderId:
      return &block.reportRate;
    default:
      return nullptr;
  }
}

void DrawSliderStrip(Canvas& canvas, const CBitSlider& slider, DeviceStateBlock& block) {
  if (!slider.IsVisible()) return;
  const int p = slider.GetPos();
  if (uint8_t* field = SliderField(block, slider.ControlId())) *field = static_cast<uint8_t>(p);

  Point thumb = slider.ThumbDrawPosition();
  if (slider.ControlId() == kReportRateSliderId) {
    thumb.x = std::clamp(thumb.x, 0, CBitSlider::kThumbTravel);
    thumb.y = std::max(thumb.y, 0);
    // The lowest rate sits a little further in, clear of the track's rounded end.
    if (p == 0) thumb.x += 2;
  }
  const Rect r = slider.WindowRect();
  const int height = r.bottom - r.top;
  if (thumb.x > 0) {
    canvas.DrawResourceImagePart(ResourcePicture::SliderTrackFilled, 0, 0, thumb.x, height, r.left,
                                 r.top);
  }
  canvas.DrawResourceImagePart(ResourcePicture::SliderTrackEmpty, thumb.x, 0,
                               r.right - r.left - thumb.x, height, r.left + thumb.x, r.top);
  canvas.DrawSkinImage("Thumb.png", r.left + thumb.x, r.top + thumb.y + 1);
}

}  // namespace tarsel
