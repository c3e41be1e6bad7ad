// What the lighting section draws for each kind of effect, and in which order.
#include "lighting/lighting_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/recording_canvas.h"

namespace tarsel::testing {
namespace {

class NullSink final : public MessageSink {
 public:
  void Post(uint32_t, uintptr_t, intptr_t) override {}
  intptr_t Send(uint32_t, uintptr_t, intptr_t) override { return 0; }
};

class LightingSectionTest : public ::testing::Test {
 protected:
  LightingSectionTest() {
    speed.Place(28, 303);
    speed.SetControlId(kSpeedSliderId);
    speed.SetRange(0, 9);
    brightness.Place(28, 260);
    brightness.SetControlId(kBrightnessSliderId);
    brightness.SetRange(0, 50);
  }
  RecordingCanvas Paint(LightingSectionView view = {}) {
    RecordingCanvas canvas;
    PaintLightingSection(canvas, block, view, {speed, brightness});
    return canvas;
  }
  static int IndexOfText(const RecordingCanvas& c, std::u16string_view text) {
    for (std::size_t i = 0; i < c.calls.size(); ++i) {
      if (c.calls[i].kind == DrawCall::Text && c.calls[i].text == text) return static_cast<int>(i);
    }
    return -1;
  }
  // Indexes of the thumb pictures, one per strip drawn, in drawing order.
  static std::vector<int> ThumbIndexes(const RecordingCanvas& c) {
    std::vector<int> out;
    for (std::size_t i = 0; i < c.calls.size(); ++i) {
      if (c.calls[i].name == "Thumb.png") out.push_back(static_cast<int>(i));
    }
    return out;
  }

  NullSink sink;
  CBitSlider speed{sink};
  CBitSlider brightness{sink};
  DeviceStateBlock block{};
};

TEST_F(LightingSectionTest, SliderLabelsBelowATrackComeAfterItsStrip) {
  // The labels under each track start inside its last rows; drawn first, the strip would cut
  // off the tops of their letters.
  block.effect = 2;  // Breathing: speed and brightness
  const RecordingCanvas c = Paint();
  const std::vector<int> thumbs = ThumbIndexes(c);
  ASSERT_EQ(thumbs.size(), 2u);
  const int speedStrip = thumbs[0];
  const int brightnessStrip = thumbs[1];
  EXPECT_GT(IndexOfText(c, u"Slow"), speedStrip);
  EXPECT_GT(IndexOfText(c, u"Fast"), speedStrip);
  EXPECT_GT(IndexOfText(c, u"Dark"), brightnessStrip);
  EXPECT_GT(IndexOfText(c, u"Bright"), brightnessStrip);
  EXPECT_EQ(c.FindText(u"Dark")->y, 274);
}

TEST_F(LightingSectionTest, WhatEachKindOfEffectShows) {
  struct Case {
    uint8_t effect;
    bool speed;
    bool multicolourSwatch;               // "8.png"
    std::vector<std::string> directions;  // direction pictures, in drawing order
    bool viewSwitch;
    bool named;
  } cases[] = {
      {1, false, false, {}, false, true},  // Static
      {3,
       true,
       true,
       {"Direction-T-Disable.png", "Direction-B-Disable.png", "Direction-R-Disable.png",
        "Direction-L-Disable.png", "Direction-L-Enable.png"},
       false,
       true},  // Wave, direction 1
      {13,
       true,
       true,
       {"Direction-R-Disable.png", "Direction-L-Disable.png", "Direction-L-Enable.png"},
       false,
       true},  // Radar
      {16,
       true,
       true,
       {"Direction-T-Disable.png", "Direction-B-Disable.png", "Direction-B-Enable.png"},
       false,
       false},                              // not in the list, yet with up/down buttons
      {53, false, false, {}, true, true},   // DIY3
      {99, false, false, {}, true, false},  // any code of 51 or more counts as per-key
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.effect));
    block.effect = k.effect;
    block.direction = 1;
    speed.SetVisible(true);
    const RecordingCanvas c = Paint();
    EXPECT_EQ(c.FindImage("freq.png") != nullptr, k.speed);
    EXPECT_EQ(speed.IsVisible(), k.speed);
    EXPECT_EQ(c.FindImage("8.png") != nullptr, k.multicolourSwatch);
    std::vector<std::string> directions;
    for (const DrawCall& call : c.calls) {
      if (call.name.starts_with("Direction-")) directions.push_back(call.name);
    }
    EXPECT_EQ(directions, k.directions);
    EXPECT_EQ(c.FindText(u"Keymap") != nullptr, k.viewSwitch);
    const bool swatches = std::any_of(c.calls.begin(), c.calls.end(), [](const DrawCall& call) {
      return call.kind == DrawCall::Frame && call.y == 221;
    });
    EXPECT_EQ(swatches, !k.viewSwitch);
    const bool named = std::any_of(c.calls.begin(), c.calls.end(), [](const DrawCall& call) {
      return call.kind == DrawCall::Text && call.x == 28 && call.y == 158;
    });
    EXPECT_EQ(named, k.named);
  }
}

TEST_F(LightingSectionTest, FoldedOrCoveredSlidersAreHiddenAndNotDrawn) {
  block.effect = 2;
  Paint({.collapsed = true});
  EXPECT_FALSE(speed.IsVisible());
  EXPECT_FALSE(brightness.IsVisible());

  speed.SetVisible(true);
  brightness.SetVisible(true);
  const RecordingCanvas open = Paint({.effectListOpen = true});
  EXPECT_FALSE(brightness.IsVisible());
  EXPECT_EQ(open.FindText(u"Slow"), nullptr);
}

}  // namespace
}  // namespace tarsel::testing
