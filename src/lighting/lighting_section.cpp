#include "lighting/lighting_section.h"

#include <string_view>

#include "lighting/color_view.h"
#include "lighting/effects.h"
#include "skin/skin_palette.h"
#include "skin/slider_strip.h"

namespace tarsel {

namespace {

constexpr int kSwatchTop = 223;
constexpr int kSwatchLeft = 28;
constexpr int kSwatchPitch = 25;
constexpr int kSwatchSize = 20;
constexpr int kDirectionTop = 197;

std::u16string_view Text(bool chinese, std::u16string_view english, std::u16string_view zh) {
  return chinese ? zh : english;
}

void PaintSwatches(Canvas& canvas, DeviceStateBlock& block) {
  const uint8_t effect = block.effect;
  if (!IsSingleColourOnly(effect)) canvas.DrawSkinImage("8.png", 203, kSwatchTop);
  block.colorChoice = NormalisedColorChoice(effect, block.colorChoice);
  for (int k = 0; k < static_cast<int>(kPaletteEntries); ++k) {
    const RgbColor& p = block.palette[static_cast<std::size_t>(k)];
    const Rgb colour = IsMulticolourOnly(effect) ? kUnavailableSwatchColour : Rgb{p[0], p[1], p[2]};
    canvas.FillSolid(kSwatchLeft + kSwatchPitch * k, kSwatchTop, kSwatchSize, kSwatchSize, colour);
  }
  canvas.DrawFrameRect(26 + kSwatchPitch * (block.colorChoice - 1), 221, 23, 23);
}

void PaintDirections(Canvas& canvas, const DeviceStateBlock& block, bool chinese) {
  const uint8_t effect = block.effect;
  const uint8_t d = block.direction;
  const auto label = [&] {
    canvas.DrawSkinText(Text(chinese, u"Direction", u"方向"), 29, 177, kLabelTextColour, 15);
  };
  if (effect == kEffectWave) {
    label();
    canvas.DrawSkinImage("Direction-T-Disable.png", 29, kDirectionTop);
    canvas.DrawSkinImage("Direction-B-Disable.png", 79, kDirectionTop);
    canvas.DrawSkinImage("Direction-R-Disable.png", 129, kDirectionTop);
    canvas.DrawSkinImage("Direction-L-Disable.png", 179, kDirectionTop);
    switch (d) {
      case 1:
        canvas.DrawSkinImage("Direction-L-Enable.png", 179, kDirectionTop);
        break;
      case 2:
        canvas.DrawSkinImage("Direction-R-Enable.png", 129, kDirectionTop);
        break;
      case 3:
        canvas.DrawSkinImage("Direction-T-Enable.png", 29, kDirectionTop);
        break;
      case 4:
        canvas.DrawSkinImage("Direction-B-Enable.png", 79, kDirectionTop);
        break;
      default:
        break;
    }
  } else if (effect == kEffectRadar || effect == 15) {
    label();
    canvas.DrawSkinImage("Direction-R-Disable.png", 29, kDirectionTop);
    canvas.DrawSkinImage("Direction-L-Disable.png", 79, kDirectionTop);
    if (d == 2) {
      canvas.DrawSkinImage("Direction-R-Enable.png", 29, kDirectionTop);
    } else {
      canvas.DrawSkinImage("Direction-L-Enable.png", 79, kDirectionTop);
    }
  } else if (effect == 16) {
    label();
    canvas.DrawSkinImage("Direction-T-Disable.png", 29, kDirectionTop);
    canvas.DrawSkinImage("Direction-B-Disable.png", 79, kDirectionTop);
    if (d == 3) {
      canvas.DrawSkinImage("Direction-T-Enable.png", 29, kDirectionTop);
    } else {
      canvas.DrawSkinImage("Direction-B-Enable.png", 79, kDirectionTop);
    }
  }
}

}  // namespace

std::optional<int> EffectListRowAt(int x, int y) {
  if (!kEffectListArea.Contains(x, y)) return std::nullopt;
  return (y - kEffectListArea.top) / kEffectRowHeight;
}

std::optional<uint8_t> ClickEffectList(DeviceStateBlock& block, int x, int y) {
  const std::optional<int> row = EffectListRowAt(x, y);
  if (!row) return std::nullopt;
  const uint8_t code = kEffects[static_cast<std::size_t>(*row)].code;
  ChooseEffect(block, code);
  return code;
}

void PaintLightingSection(Canvas& canvas, DeviceStateBlock& block, const LightingSectionView& view,
                          LightingSliders sliders) {
  const bool zh = view.chinese;
  canvas.DrawSkinImage("itemBK.png", kLightingOrigin.x, kLightingOrigin.y);
  canvas.DrawSkinText(Text(zh, u"Light", u"灯光"), kLightingOrigin.x, kLightingOrigin.y,
                      kLabelTextColour, 15);
  if (view.collapsed) {
    sliders.speed.SetVisible(false);
    sliders.brightness.SetVisible(false);
    return;
  }
  canvas.DrawSkinImage("LEDEffect_open.png", 19, 130);
  canvas.DrawSkinText(Text(zh, u"Effect", u"效果"), 28, 137, kLabelTextColour, 15);
  canvas.DrawSkinImage("Light_Item.png", 28, 158);

  const uint8_t effect = block.effect;
  if (HasSpeed(effect)) {
    canvas.DrawSkinImage("freq.png", 19, 245);
    DrawSliderStrip(canvas, sliders.speed, block);
    if (!view.effectListOpen) {
      sliders.speed.SetVisible(true);
      canvas.DrawSkinText(Text(zh, u"Speed", u"速度"), 28, 290, kLabelTextColour, 13);
      sliders.brightness.SetVisible(true);
      canvas.DrawSkinText(Text(zh, u"Slow", u"慢"), 28, 317, kLabelTextColour, 13);
      canvas.DrawSkinText(Text(zh, u"Fast", u"快"), 230, 317, kLabelTextColour, 13);
    }
  } else {
    sliders.speed.SetVisible(false);
  }

  canvas.DrawSkinText(Text(zh, u"Brightness", u"亮度"), 28, 247, kLabelTextColour, 13);
  if (view.effectListOpen) {
    sliders.brightness.SetVisible(false);
  } else {
    sliders.brightness.SetVisible(true);
    DrawSliderStrip(canvas, sliders.brightness, block);
  }
  // After the strip, as "Slow" and "Fast" come after theirs: the labels' cells reach into the
  // track's bottom rows, which would otherwise cut off the tops of the letters.
  canvas.DrawSkinText(Text(zh, u"Dark", u"黑"), 28, 274, kLabelTextColour, 13);
  canvas.DrawSkinText(Text(zh, u"Bright", u"亮"), 230, 274, kLabelTextColour, 13);

  if (!IsPerKeyEffect(effect)) PaintSwatches(canvas, block);
  if (IsPerKeyEffect(effect)) {
    PaintViewSwitch(canvas, view.colorEditView);
  } else {
    PaintDirections(canvas, block, zh);
  }

  if (const auto name = EffectName(effect, zh))
    canvas.DrawSkinText(*name, 28, 158, kLabelTextColour, 14);
}

void PaintEffectList(Canvas& canvas, const LightingSectionView& view, LightingSliders sliders) {
  sliders.speed.SetVisible(false);
  sliders.brightness.SetVisible(false);
  for (int i = 0; i < static_cast<int>(kEffectCount); ++i) {
    const int top = kEffectListArea.top + kEffectRowHeight * i;
    const Rgb fill = i == view.effectRowHover ? kListRowHoverColour : kListRowColour;
    canvas.FillSolid(kEffectListArea.left, top, kEffectListArea.right - kEffectListArea.left,
                     kEffectRowHeight, fill);
    const Effect& e = kEffects[static_cast<std::size_t>(i)];
    canvas.DrawSkinText(view.chinese ? e.chinese : e.english, kEffectListArea.left, top,
                        kAccentTextColour, 18);
  }
}

}  // namespace tarsel
