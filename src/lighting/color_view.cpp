#include "lighting/color_view.h"

#include "config/key_rects.h"
#include "config/key_table.h"
#include "lighting/effects.h"
#include "skin/skin_palette.h"

namespace tarsel {

namespace {

// Offset of key k's [0, r, g, b] entry inside a colour page.
std::size_t EntryOffset(std::size_t k) {
  return KeyTable[k].position;
}

static_assert(kColorPageSize % 4 == 0);

}  // namespace

std::optional<std::size_t> ColorLayoutOf(uint8_t effect) {
  if (effect < kFirstPerKeyEffect || effect > kLastPerKeyEffect) return std::nullopt;
  return static_cast<std::size_t>(effect - kFirstPerKeyEffect);
}

Rgb KeyColor(const DeviceStateBlock& block, std::size_t layout, std::size_t k) {
  if (layout >= kColorPageCount || k >= kKeyCount) return {};
  const std::size_t m = EntryOffset(k);
  if (m + 4 > kColorPageSize) return {};
  const ColorPage& page = block.colorPages[layout];
  return {page[m + 1], page[m + 2], page[m + 3]};
}

void SetKeyColor(DeviceStateBlock& block, std::size_t layout, std::size_t k, Rgb colour) {
  if (layout >= kColorPageCount || k >= kKeyCount) return;
  const std::size_t m = EntryOffset(k);
  if (m + 4 > kColorPageSize) return;
  ColorPage& page = block.colorPages[layout];
  page[m] = 0;
  page[m + 1] = colour.r;
  page[m + 2] = colour.g;
  page[m + 3] = colour.b;
}

void PaintViewSwitch(Canvas& canvas, bool colorEditView) {
  canvas.DrawSkinImage(colorEditView ? "Disable.png" : "Enable.png", 28, 199);
  canvas.DrawSkinImage(colorEditView ? "Enable.png" : "Disable.png", 130, 199);
  canvas.DrawSkinText(u"Keymap", 45, 197, kLabelTextColour, 15);
  canvas.DrawSkinText(u"DIY", 147, 197, kLabelTextColour, 15);
}

void PaintColorView(Canvas& canvas, const DeviceStateBlock& block, uint8_t hoveredKey) {
  const std::optional<std::size_t> layout = ColorLayoutOf(block.effect);
  if (!layout) return;
  const Point o = kKeyPictureOrigin;
  const Point l = kKeyLabelOrigin;
  for (std::size_t k = 0; k < kKeyCount; ++k) {
    const KeyRect& key = kKeyRects[k];
    if (!key.onPicture) continue;
    const Rgb c = KeyColor(block, *layout, k);
    if (c == Rgb{}) continue;
    const Rect& r = key.rect;
    canvas.FillSolid(o.x + r.left, o.y + r.top, r.right - r.left, r.bottom - r.top, c);
    canvas.DrawSkinText(key.label, l.x + key.labelPoint.x, l.y + key.labelPoint.y, kMarkTextColour,
                        10);
  }
  if (hoveredKey < kKeyCount && kKeyRects[hoveredKey].onPicture) {
    const Rect& r = kKeyRects[hoveredKey].rect;
    canvas.DrawFrameRect(o.x - 2 + r.left, o.y - 2 + r.top, r.right - r.left + 3,
                         r.bottom - r.top + 3);
  }
}

}  // namespace tarsel
