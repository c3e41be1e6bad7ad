// CBitSlider: a horizontal track bar whose looks come from pictures the parent window paints.
//
// The slider keeps the track bar's state (range, position, line and page size) and turns mouse
// input into positions; it draws nothing itself. Whenever the pointer moves over it or its
// position changes it sends WM_SLIDER_CHANGED with its control identifier to the parent, which
// then draws the strip (DrawSliderStrip).
#pragma once

#include "platform/geometry.h"
#include "platform/message_sink.h"

namespace tarsel {

inline constexpr int kSpeedSliderId = 1007;
inline constexpr int kReportRateSliderId = 1010;
inline constexpr int kBrightnessSliderId = 1017;

class CBitSlider {
 public:
  static constexpr int kTrackWidth = 220;  // both track pictures are 220 x 17
  static constexpr int kTrackHeight = 17;
  static constexpr int kThumbWidth = 15;                          // "Thumb.png" is 15 x 14
  static constexpr int kThumbTravel = kTrackWidth - kThumbWidth;  // thumb x at the maximum
  // The groove the thumb's centre runs along, in slider coordinates.
  static constexpr int kChannelLeft = kThumbWidth / 2;
  static constexpr int kChannelRight = kChannelLeft + kThumbTravel;

  explicit CBitSlider(MessageSink& parent) : parent_(parent) {}

  // Moves the slider to (x, y) in parent coordinates and sizes it to the track pictures.
  void Place(int x, int y);
  // Left, top, right, bottom in parent coordinates, right and bottom exclusive.
  Rect WindowRect() const {
    return {origin_.x, origin_.y, origin_.x + kTrackWidth, origin_.y + kTrackHeight};
  }
  bool Contains(int x, int y) const;

  void SetControlId(int id) { controlId_ = id; }
  int ControlId() const { return controlId_; }
  void SetRange(int minimum, int maximum);
  int RangeMin() const { return min_; }
  int RangeMax() const { return max_; }
  void SetLineSize(int size) { lineSize_ = size; }
  void SetPageSize(int size) { pageSize_ = size; }
  int LineSize() const { return lineSize_; }
  int PageSize() const { return pageSize_; }
  // Clamps to the range; notifies the parent when the position changed, unless told not to
  // (when the parent sets several sliders at once and repaints afterwards).
  void SetPos(int position, bool notify = true);
  int GetPos() const { return pos_; }

  // A hidden slider takes no input and is not drawn.
  void SetVisible(bool visible);
  bool IsVisible() const { return visible_; }

  // Where the parent draws the thumb picture, in slider coordinates: x runs evenly from 0 at the
  // minimum to kThumbTravel at the maximum; y is 0.
  Point ThumbDrawPosition() const;
  // The position a press at slider x maps to: the nearest value, halves rounding up.
  int PositionForClick(int sliderX) const;
  // The jump-to-click rule: span x d / w, rounded to the nearest integer with halves going up
  // (truncated toward zero first, as integer division does).
  static int JumpToClick(int span, int d, int w);

  // Mouse input in parent coordinates. OnMouseDown returns true when the press landed on the
  // slider (it then jumps there and follows the pointer until the button is released).
  bool OnMouseDown(int x, int y);
  // Returns true when the slider took the move (over it, or dragging).
  bool OnMouseMove(int x, int y);
  bool OnMouseUp(int x, int y);
  // The wheel never moves the slider; true when the turn happened over it (and was swallowed).
  bool OnMouseWheel(int x, int y) const { return Contains(x, y); }
  bool IsDragging() const { return dragging_; }

 private:
  void Notify();

  MessageSink& parent_;
  Point origin_{};
  int controlId_ = 0;
  int min_ = 0;
  int max_ = 100;
  int lineSize_ = 1;
  int pageSize_ = 1;
  int pos_ = 0;
  bool visible_ = true;
  bool dragging_ = false;
};

}  // namespace tarsel
