// `tarselctl set`: the words it takes and what they do to the block, by the lighting panel's rules.
#include "cli/setting_change.h"

#include <gtest/gtest.h>

#include <variant>

namespace tarsel {
namespace {

DeviceStateBlock Apply(const std::vector<std::string>& words, DeviceStateBlock block) {
  auto parsed = ParseSettingChanges(words);
  const auto* changes = std::get_if<std::vector<SettingChange>>(&parsed);
  EXPECT_NE(changes, nullptr) << std::get<SettingError>(parsed).message;
  if (changes == nullptr) return block;
  for (const SettingChange& change : *changes) ApplySettingChange(change, block);
  return block;
}

TEST(SettingChange, EffectsByNameOrCodeFollowTheColourRulesOfTheLightingPanel) {
  struct Case {
    std::vector<std::string> words;
    uint8_t colorChoiceBefore;
    uint8_t effect;
    uint8_t colorChoice;
  };
  const Case cases[] = {
      {{"effect", "wave"}, 2, 3, 8},                // Wave colours the keys itself
      {{"effect", "SPECTRUM"}, 2, 8, 8},            // any case
      {{"effect", "10"}, 5, 10, 8},                 // Raindrop by code
      {{"effect", "static"}, 8, 1, 1},              // Static needs one colour
      {{"effect", "Breathing"}, 8, 2, 8},           // keeps what it has
      {{"effect", "diy3"}, 4, 53, 4},               // per-key layouts leave the swatch alone
      {{"effect", "wave", "color", "3"}, 8, 3, 3},  // later words win, in order
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words[1]);
    DeviceStateBlock block{};
    block.colorChoice = c.colorChoiceBefore;
    const DeviceStateBlock after = Apply(c.words, block);
    EXPECT_EQ(after.effect, c.effect);
    EXPECT_EQ(after.colorChoice, c.colorChoice);
  }
}

TEST(SettingChange, CodesAndNamesOutsideTheEffectListAreRefused) {
  for (const char* word : {"7", "0", "56", "rainbow", ""}) {
    auto parsed = ParseSettingChanges({"effect", word});
    ASSERT_TRUE(std::holds_alternative<SettingError>(parsed)) << word;
    EXPECT_NE(std::get<SettingError>(parsed).message.find("for effect"), std::string::npos);
  }
}

}  // namespace
}  // namespace tarsel
