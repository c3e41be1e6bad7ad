// The lighting effects the keyboard offers and the rules that tie colour and direction to them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "config/device_state_block.h"

namespace tarsel {

struct Effect {
  uint8_t code;  // the value of the block's effect field
  std::u16string_view english;
  std::u16string_view chinese;
};

inline constexpr std::size_t kEffectCount = 16;

// In the order of the drop-down list.
inline constexpr std::array<Effect, kEffectCount> kEffects = {{
    {1, u"Static", u"全亮"},
    {2, u"Breathing", u"呼吸"},
    {3, u"Wave", u"波浪"},
    {4, u"Reactive", u"随按渐灭"},
    {5, u"Sidewinder", u"蛇形跑马"},
    {6, u"Ripple", u"涟漪"},
    {8, u"Spectrum", u"霓虹"},
    {10, u"Raindrop", u"雨滴"},
    {11, u"Vortex", u"环形跑马"},
    {12, u"Spotlight", u"对冲"},
    {13, u"Radar", u"雷达"},
    {51, u"DIY1", u"DIY1"},
    {52, u"DIY2", u"DIY2"},
    {53, u"DIY3", u"DIY3"},
    {54, u"DIY4", u"DIY4"},
    {55, u"DIY5", u"DIY5"},
}};

inline constexpr uint8_t kEffectStatic = 1;
inline constexpr uint8_t kEffectWave = 3;
inline constexpr uint8_t kEffectRadar = 13;
inline constexpr uint8_t kFirstPerKeyEffect = 51;  // DIY1; DIY1..DIY5 are 51..55
inline constexpr uint8_t kLastPerKeyEffect = 55;
inline constexpr uint8_t kMulticolour = 8;  // colorChoice of the multicolour swatch

// The name of a listed effect; nullopt for a code the list does not know (the keyboard may
// report any byte).
std::optional<std::u16string_view> EffectName(uint8_t code, bool chinese);

// Per-key colour effects (and every code above them) have neither speed nor swatches.
constexpr bool IsPerKeyEffect(uint8_t code) {
  return code >= kFirstPerKeyEffect;
}
constexpr bool HasSpeed(uint8_t code) {
  return code != kEffectStatic && code < 50;
}
// Wave, Spectrum and Raindrop colour the keys themselves: only the multicolour swatch counts.
constexpr bool IsMulticolourOnly(uint8_t code) {
  return code == 3 || code == 8 || code == 10;
}
// Static needs one colour to show.
constexpr bool IsSingleColourOnly(uint8_t code) {
  return code == kEffectStatic;
}

// Picks an effect from the list: sets effect and brings colorChoice in line with it.
void ChooseEffect(DeviceStateBlock& block, uint8_t code);

// The direction a click on direction button 0..3 (left to right) sets under the given effect.
uint8_t DirectionForButton(uint8_t effect, int button);

// What a click on colour swatch 1..8 does (8 = multicolour).
enum class SwatchClick : uint8_t {
  Nothing,     // the swatch is not available with this effect
  Select,      // becomes the colour choice
  EditColour,  // already chosen: open the colour chooser for its palette entry, then select
};
SwatchClick ClassifySwatchClick(uint8_t effect, uint8_t colorChoice, int swatch);

// colorChoice as the section shows it: 1..8, and 8 for the multicolour-only effects.
uint8_t NormalisedColorChoice(uint8_t effect, uint8_t colorChoice);

}  // namespace tarsel
