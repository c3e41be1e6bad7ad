// The key rectangle table: the hit areas of the keyboard picture.
#include "config/key_rects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "skin_catalog.h"

namespace tarsel {
namespace {

TEST(KeyRects, OnlyTheFourMediaKeysAreOffThePicture) {
  for (std::size_t i = 0; i < kKeyRects.size(); ++i) {
    EXPECT_EQ(kKeyRects[i].onPicture, i < 16 || i > 19) << "key " << i;
    EXPECT_EQ(kKeyRects[i].label.empty(), !kKeyRects[i].onPicture) << "key " << i;
  }
}

TEST(KeyRects, PointsResolveToTheKeyUnderThem) {
  struct Case {
    int x, y, key;
  };
  // Picture pixels: edges are inclusive, the one-pixel gaps between keys belong to no key.
  const Case cases[] = {
      {68, 60, -1},    // gap between "1" and "2"
      {42, 60, 21},    // left edge of "1"
      {67, 60, 21},    // right edge of "1"
      {69, 60, 22},    // left edge of "2"
      {15, 17, 0},     // top-left corner of Esc
      {40, 43, 0},     // bottom-right corner of Esc
      {41, 43, -1},    // just right of Esc
      {610, 133, 61},  // bottom row of the tall "+"
      {610, 134, -1},  // between "+" and the number-pad Enter
      {610, 135, 94},  // top row of the number-pad Enter
      {200, 176, 98},  // Space
      {560, 30, -1},   // above the number pad, where the media keys are not drawn
      {0, 0, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyAtPicturePoint(c.x, c.y), c.key) << "(" << c.x << ", " << c.y << ")";
  }
}

TEST(KeyRects, EveryKeyAndItsLabelLieInsideTheKeyboardPicture) {
  const auto kb = std::find_if(skin_art::kSkinPictures.begin(), skin_art::kSkinPictures.end(),
                               [](const auto& picture) { return picture.name == "kb_BK.png"; });
  ASSERT_NE(kb, skin_art::kSkinPictures.end());
  // Label points are relative to an origin five pixels up and left of the picture's.
  const int dx = kKeyLabelOrigin.x - kKeyPictureOrigin.x;
  const int dy = kKeyLabelOrigin.y - kKeyPictureOrigin.y;
  for (std::size_t i = 0; i < kKeyRects.size(); ++i) {
    const KeyRect& key = kKeyRects[i];
    if (!key.onPicture) continue;
    EXPECT_TRUE(key.rect.left >= 0 && key.rect.left < key.rect.right &&
                key.rect.right < kb->width && key.rect.top >= 0 && key.rect.top < key.rect.bottom &&
                key.rect.bottom < kb->height)
        << "key " << i;
    EXPECT_TRUE(key.rect.Contains(key.labelPoint.x + dx, key.labelPoint.y + dy)) << "key " << i;
  }
}

}  // namespace
}  // namespace tarsel
