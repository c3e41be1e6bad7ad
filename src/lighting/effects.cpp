#include "lighting/effects.h"

namespace tarsel {

std::optional<std::u16string_view> EffectName(uint8_t code, bool chinese) {
  for (const Effect& e : kEffects) {
    if (e.code == code) return chinese ? e.chinese : e.english;
  }
  return std::nullopt;
}

void ChooseEffect(DeviceStateBlock& block, uint8_t code) {
  block.effect = code;
  if (IsSingleColourOnly(code) && block.colorChoice == kMulticolour) block.colorChoice = 1;
  if (IsMulticolourOnly(code)) block.colorChoice = kMulticolour;
}

uint8_t DirectionForButton(uint8_t effect, int button) {
  // Radar (and 15) show right/left on the first two buttons; 16 shows up/down there. Every other
  // effect follows Wave's four pictures: up, down, right, left.
  static constexpr uint8_t kRadarLike[4] = {2, 1, 2, 1};
  static constexpr uint8_t kUpDown[4] = {3, 4, 3, 4};
  static constexpr uint8_t kFourWay[4] = {3, 4, 2, 1};
  if (button < 0 || button > 3) return 0;
  if (effect == kEffectRadar || effect == 15) return kRadarLike[button];
  if (effect == 16) return kUpDown[button];
  return kFourWay[button];
}

SwatchClick ClassifySwatchClick(uint8_t effect, uint8_t colorChoice, int swatch) {
  if (swatch < 1 || swatch > 8 || IsPerKeyEffect(effect)) return SwatchClick::Nothing;
  if (IsMulticolourOnly(effect) && swatch != kMulticolour) return SwatchClick::Nothing;
  if (swatch == kMulticolour) {
    return IsSingleColourOnly(effect) ? SwatchClick::Nothing : SwatchClick::Select;
  }
  return swatch == colorChoice ? SwatchClick::EditColour : SwatchClick::Select;
}

uint8_t NormalisedColorChoice(uint8_t effect, uint8_t colorChoice) {
  if (IsMulticolourOnly(effect)) return kMulticolour;
  if (colorChoice > kMulticolour) return kMulticolour;
  if (colorChoice == 0) return 1;
  return colorChoice;
}

}  // namespace tarsel
