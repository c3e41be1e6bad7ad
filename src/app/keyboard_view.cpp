#include "app/keyboard_view.h"

#include "config/key_rects.h"
#include "config/key_table.h"

namespace tarsel {

namespace {

void LightKey(Canvas& canvas, std::size_t k) {
  const KeyRect& key = kKeyRects[k];
  if (!key.onPicture) return;
  const Rect& r = key.rect;
  canvas.DrawSkinImagePart("kb_hl.png", r.left, r.top, r.right - r.left, r.bottom - r.top,
                           kKeyPictureOrigin.x + r.left, kKeyPictureOrigin.y + r.top);
}

bool EnableBitSet(const DeviceStateBlock& block, std::size_t k) {
  const uint8_t bit = KeyTable[k].enableBit;
  return (block.keyEnable[bit / 8] >> (bit % 8) & 1) != 0;
}

}  // namespace

int KeyHitTest(int x, int y, bool colorEditView) {
  const int k = KeyAtPicturePoint(x - kKeyPictureOrigin.x, y - kKeyPictureOrigin.y);
  if (!colorEditView && (k == kWinKeyIndex || k == kFnKeyIndex)) return -1;
  return k;
}

void RecomputeKeyChanged(const Configuration& config, std::span<bool> keyChanged) {
  const DeviceStateBlock& block = config.block;
  for (std::size_t i = 0; i < kKeyCount && i < keyChanged.size(); ++i) {
    const KeyTableEntry& key = KeyTable[i];
    const KeyMapEntry& e = block.keyMap[MapEntryIndex(key.position)];
    const ActionRecord& r = config.store.records[i];
    bool changed = e[0] == static_cast<uint8_t>(FunctionType::Macro);
    if (!changed) {
      changed = e[2] != key.defaultEntry[2] || r.kind != KindSingle ||
                (r.data[0] != r.keyCode && r.dataLength == 1);
    }
    if (!EnableBitSet(block, i)) changed = true;
    keyChanged[i] = changed;
  }
  if (kFnKeyIndex < keyChanged.size()) keyChanged[kFnKeyIndex] = false;
}

void PaintKeyAssignmentView(Canvas& canvas, MainWindowState& state) {
  if (state.hoveredKey < kKeyCount) LightKey(canvas, state.hoveredKey);
  state.keyChanged[kWinKeyIndex] = false;
  for (std::size_t k = 0; k < kKeyCount; ++k) {
    if (state.keyChanged[k]) LightKey(canvas, k);
  }
}

}  // namespace tarsel
