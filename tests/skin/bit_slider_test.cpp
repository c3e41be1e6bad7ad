#include "skin/bit_slider.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/recording_canvas.h"
#include "platform/messages.h"
#include "skin/slider_strip.h"

namespace tarsel {
namespace {

using testing::DrawCall;
using testing::RecordingCanvas;

class RecordingSink final : public MessageSink {
 public:
  void Post(uint32_t m, uintptr_t w, intptr_t) override { sent.push_back({m, w}); }
  intptr_t Send(uint32_t m, uintptr_t w, intptr_t) override {
    sent.push_back({m, w});
    return 0;
  }
  std::vector<std::pair<uint32_t, uintptr_t>> sent;
};

class BitSliderTest : public ::testing::Test {
 protected:
  BitSliderTest() {
    slider.Place(28, 260);
    slider.SetRange(0, 50);
    slider.SetControlId(kBrightnessSliderId);
  }
  // Parent coordinates of the thumb picture's centre at the current position.
  int ThumbCentreX() const { return 28 + slider.ThumbDrawPosition().x + 7; }

  RecordingSink parent;
  CBitSlider slider{parent};
};

TEST_F(BitSliderTest, ThumbRunsEvenlyFromTrackStartToEnd) {
  for (int max : {3, 9, 50}) {
    slider.SetRange(0, max);
    std::vector<int> xs;
    for (int p = 0; p <= max; ++p) {
      slider.SetPos(p);
      xs.push_back(slider.ThumbDrawPosition().x);
      EXPECT_EQ(slider.ThumbDrawPosition().y, 0);
    }
    EXPECT_EQ(xs.front(), 0) << "max " << max;
    EXPECT_EQ(xs.back(), 205) << "max " << max;
    const int step = 205 / max;
    for (std::size_t i = 1; i < xs.size(); ++i) {
      const int gap = xs[i] - xs[i - 1];
      EXPECT_TRUE(gap == step || gap == step + 1) << "max " << max << " at " << i;
    }
  }
}

TEST_F(BitSliderTest, PressJumpsToTheValueUnderThePointer) {
  // Pressing where a thumb would be drawn gives that thumb's position, for every position.
  for (int max : {3, 9, 50}) {
    slider.SetRange(0, max);
    for (int p = 0; p <= max; ++p) {
      slider.SetPos(p);
      const int x = ThumbCentreX();
      slider.SetPos(p == 0 ? max : 0);
      ASSERT_TRUE(slider.OnMouseDown(x, 265));
      slider.OnMouseUp(x, 265);
      EXPECT_EQ(slider.GetPos(), p) << "max " << max;
    }
  }
  // The middle of the brightness track is about 25, reached at once rather than by page steps.
  slider.SetPos(1);
  slider.OnMouseDown(28 + 110, 265);
  EXPECT_NEAR(slider.GetPos(), 25, 1);
}

TEST(BitSliderJump, RoundsToNearestWithHalvesUp) {
  struct Case {
    int span, d, w, expected;
  } cases[] = {
      {1, 1, 2, 1},      // exactly one half rounds up
      {50, 1, 205, 0},   // 0.24
      {50, 3, 205, 1},   // 0.73
      {9, 205, 205, 9},  // the end
      {3, 34, 205, 0},   // 0.4975
      {3, 35, 205, 1},   // 0.512
      {50, -3, 205, 0},  // left of the channel: truncates toward zero, clamped by the caller
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CBitSlider::JumpToClick(c.span, c.d, c.w), c.expected)
        << c.span << " x " << c.d << " / " << c.w;
  }
}

TEST_F(BitSliderTest, DragFollowsPointerAndClampsOffTheTrack) {
  slider.SetPos(10);
  ASSERT_TRUE(slider.OnMouseDown(ThumbCentreX(), 265));
  slider.OnMouseMove(28 + 500, 400);  // far right, off the slider
  EXPECT_EQ(slider.GetPos(), 50);
  slider.OnMouseMove(-100, 265);
  EXPECT_EQ(slider.GetPos(), 0);
  slider.OnMouseUp(-100, 265);
  EXPECT_FALSE(slider.IsDragging());
  slider.OnMouseMove(28 + 200, 265);  // plain hover does not move it
  EXPECT_EQ(slider.GetPos(), 0);
}

TEST_F(BitSliderTest, WheelAndHiddenSliderChangeNothing) {
  slider.SetPos(20);
  EXPECT_TRUE(slider.OnMouseWheel(50, 265));
  EXPECT_EQ(slider.GetPos(), 20);
  slider.SetVisible(false);
  EXPECT_FALSE(slider.OnMouseDown(50, 265));
  EXPECT_EQ(slider.GetPos(), 20);
}

TEST_F(BitSliderTest, NotifiesParentWithItsIdentifier) {
  parent.sent.clear();
  slider.SetPos(7);
  slider.SetPos(7);             // unchanged: no notice
  slider.OnMouseMove(40, 262);  // hover: a notice
  ASSERT_EQ(parent.sent.size(), 2u);
  for (const auto& [message, id] : parent.sent) {
    EXPECT_EQ(message, WM_SLIDER_CHANGED);
    EXPECT_EQ(id, static_cast<uintptr_t>(kBrightnessSliderId));
  }
}

TEST(SliderStrip, DrawsFilledThenEmptyTrackThenThumbAndStoresPosition) {
  RecordingSink parent;
  CBitSlider slider(parent);
  slider.Place(28, 530);
  slider.SetRange(0, 3);
  slider.SetControlId(kReportRateSliderId);
  struct Case {
    int pos, thumbX;
  } cases[] = {{0, 2}, {1, 68}, {3, 205}};  // the lowest rate sits 2 pixels in
  for (const Case& c : cases) {
    slider.SetPos(c.pos);
    DeviceStateBlock block{};
    RecordingCanvas canvas;
    DrawSliderStrip(canvas, slider, block);
    EXPECT_EQ(block.reportRate, c.pos);
    ASSERT_EQ(canvas.calls.size(), 3u) << "pos " << c.pos;
    const DrawCall& filled = canvas.calls[0];
    EXPECT_EQ(filled.resource, ResourcePicture::SliderTrackFilled);
    EXPECT_EQ(filled.width, c.thumbX);
    EXPECT_EQ(filled.x, 28);
    const DrawCall& empty = canvas.calls[1];
    EXPECT_EQ(empty.resource, ResourcePicture::SliderTrackEmpty);
    EXPECT_EQ(empty.srcX, c.thumbX);
    EXPECT_EQ(empty.x, 28 + c.thumbX);
    EXPECT_EQ(empty.width, 220 - c.thumbX);
    EXPECT_EQ(empty.height, 17);
    EXPECT_EQ(canvas.calls[2].name, "Thumb.png");
    EXPECT_EQ(canvas.calls[2].x, 28 + c.thumbX);
    EXPECT_EQ(canvas.calls[2].y, 531);
  }
}

TEST(SliderStrip, HiddenSliderNeitherDrawsNorStores) {
  RecordingSink parent;
  CBitSlider slider(parent);
  slider.SetRange(0, 9);
  slider.SetControlId(kSpeedSliderId);
  slider.SetPos(4);
  slider.SetVisible(false);
  DeviceStateBlock block{};
  block.speed = 9;
  RecordingCanvas canvas;
  DrawSliderStrip(canvas, slider, block);
  EXPECT_TRUE(canvas.calls.empty());
  EXPECT_EQ(block.speed, 9);
}

}  // namespace
}  // namespace tarsel
