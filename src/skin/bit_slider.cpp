#include "skin/bit_slider.h"

#include <algorithm>
#include <cstdint>

#include "platform/messages.h"

namespace tarsel {

void CBitSlider::Place(int x, int y) {
  origin_ = {x, y};
}

bool CBitSlider::Contains(int x, int y) const {
  const Rect r = WindowRect();
  return visible_ && x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void CBitSlider::SetRange(int minimum, int maximum) {
  min_ = minimum;
  max_ = std::max(minimum, maximum);
  pos_ = std::clamp(pos_, min_, max_);
}

void CBitSlider::SetPos(int position, bool notify) {
  const int clamped = std::clamp(position, min_, max_);
  if (clamped == pos_) return;
  pos_ = clamped;
  if (notify) Notify();
}

void CBitSlider::SetVisible(bool visible) {
  visible_ = visible;
  if (!visible) dragging_ = false;
}

Point CBitSlider::ThumbDrawPosition() const {
  const int span = max_ - min_;
  if (span <= 0) return {0, 0};
  // Rounded so that a press on the thumb's centre maps back to the same position.
  return {(kThumbTravel * (pos_ - min_) + span / 2) / span, 0};
}

int CBitSlider::PositionForClick(int sliderX) const {
  const int d = sliderX - kChannelLeft;
  const int w = kChannelRight - kChannelLeft;
  const int q = JumpToClick(max_ - min_, d, w);
  // The minimum is not added back, as the track bar this mirrors did; every range here starts at 0.
  return std::clamp(q, min_, max_);
}

int CBitSlider::JumpToClick(int span, int d, int w) {
  if (w <= 0) return 0;
  int q = span * d / w;
  const double f = static_cast<double>(span) * d / w;
  if (f - q >= 0.5) ++q;
  return q;
}

bool CBitSlider::OnMouseDown(int x, int y) {
  if (!Contains(x, y)) return false;
  dragging_ = true;
  SetPos(PositionForClick(x - origin_.x));
  return true;
}

bool CBitSlider::OnMouseMove(int x, int y) {
  if (dragging_) {
    const int before = pos_;
    SetPos(PositionForClick(x - origin_.x));
    if (pos_ == before) Notify();
    return true;
  }
  if (!Contains(x, y)) return false;
  Notify();
  return true;
}

bool CBitSlider::OnMouseUp(int x, int y) {
  if (!dragging_) return Contains(x, y);
  dragging_ = false;
  return true;
}

void CBitSlider::Notify() {
  parent_.Send(WM_SLIDER_CHANGED, static_cast<uintptr_t>(controlId_), 0);
}

}  // namespace tarsel
