#include "setting_change.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "config/utf_text.h"
#include "device/sequences/host_action.h"
#include "lighting/effects.h"

namespace tarsel {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<uint8_t> InRange(std::string_view text, int low, int high) {
  const auto value = ParseInt(text);
  if (!value || *value < low || *value > high) return std::nullopt;
  return static_cast<uint8_t>(*value);
}

std::optional<uint8_t> OnOff(std::string_view text) {
  const std::string word = Lower(text);
  if (word == "on" || word == "1") return 1;
  if (word == "off" || word == "0") return 0;
  return std::nullopt;
}

// "#RRGGBB", "RRGGBB" or "R,G,B".
std::optional<RgbColor> ParseColor(std::string_view text) {
  if (text.find(',') != std::string_view::npos) {
    RgbColor color{};
    for (std::size_t i = 0; i < 3; ++i) {
      const auto comma = text.find(',');
      if ((i < 2) == (comma == std::string_view::npos)) return std::nullopt;
      const auto part = InRange(text.substr(0, comma), 0, 255);
      if (!part) return std::nullopt;
      color[i] = *part;
      text = i < 2 ? text.substr(comma + 1) : std::string_view();
    }
    return color;
  }
  if (text.starts_with('#')) text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  RgbColor color{};
  for (std::size_t i = 0; i < 3; ++i) {
    unsigned value = 0;
    const auto [end, error] =
        std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, value, 16);
    if (error != std::errc() || end != text.data() + 2 * i + 2) return std::nullopt;
    color[i] = static_cast<uint8_t>(value);
  }
  return color;
}

// An effect of the lighting panel's list, by its English name or its code.
std::optional<uint8_t> ParseEffect(std::string_view text) {
  const std::string word = Lower(text);
  const std::optional<int> code = ParseInt(text);
  for (const Effect& effect : kEffects) {
    if (word == Lower(Utf16ToUtf8(effect.english)) || code == effect.code) return effect.code;
  }
  return std::nullopt;
}

std::optional<uint8_t> ParseDirection(std::string_view text) {
  const std::string word = Lower(text);
  if (word == "left") return 1;
  if (word == "right") return 2;
  if (word == "up") return 3;
  if (word == "down") return 4;
  return InRange(text, 1, 4);
}

std::optional<uint8_t> ParseColorChoice(std::string_view text) {
  if (Lower(text) == "multi") return 8;
  return InRange(text, 1, 8);
}

}  // namespace

std::string SettingUsage() {
  return "effect NAME|CODE, speed 0-9, brightness 0-50, color 1-8|multi, direction "
         "left|right|up|down|1-4, palette 1-7 #RRGGBB|R,G,B, game-mode on|off, win-lock on|off, "
         "response-time 1-10 (x 2 ms), report-rate 0-3";
}

std::variant<std::vector<SettingChange>, SettingError> ParseSettingChanges(
    const std::vector<std::string>& words) {
  std::vector<SettingChange> changes;
  if (words.empty()) return SettingError{"set: no setting given"};
  for (std::size_t i = 0; i < words.size();) {
    const std::string name = Lower(words[i]);
    const bool palette = name == "palette";
    const std::size_t needed = palette ? 2 : 1;
    if (i + needed >= words.size()) {
      return SettingError{"set: " + words[i] + " needs a value"};
    }
    const std::string& value = words[i + 1];
    auto bad = [&](const std::string& expected) {
      return SettingError{"set: bad value '" + value + "' for " + words[i] + " (" + expected + ")"};
    };
    SettingChange change{Setting::Effect};
    std::optional<uint8_t> parsed;
    if (name == "effect") {
      change.setting = Setting::Effect;
      if (!(parsed = ParseEffect(value))) return bad("an effect name or code");
    } else if (name == "speed") {
      change.setting = Setting::Speed;
      if (!(parsed = InRange(value, 0, 9))) return bad("0 to 9");
    } else if (name == "brightness") {
      change.setting = Setting::Brightness;
      if (!(parsed = InRange(value, 0, 50))) return bad("0 to 50");
    } else if (name == "color" || name == "colour") {
      change.setting = Setting::ColorChoice;
      if (!(parsed = ParseColorChoice(value))) return bad("1 to 7 or multi");
    } else if (name == "direction") {
      change.setting = Setting::Direction;
      if (!(parsed = ParseDirection(value))) return bad("left, right, up, down or 1 to 4");
    } else if (name == "game-mode") {
      change.setting = Setting::GameMode;
      if (!(parsed = OnOff(value))) return bad("on or off");
    } else if (name == "win-lock") {
      change.setting = Setting::WinLock;
      if (!(parsed = OnOff(value))) return bad("on or off");
    } else if (name == "response-time") {
      change.setting = Setting::ResponseTime;
      if (!(parsed = InRange(value, 1, 10))) return bad("1 to 10");
    } else if (name == "report-rate") {
      change.setting = Setting::ReportRate;
      if (!(parsed = InRange(value, 0, 3))) return bad("0 to 3");
    } else if (palette) {
      change.setting = Setting::Palette;
      const auto entry = InRange(value, 1, 7);
      if (!entry) return bad("palette entry 1 to 7");
      const auto color = ParseColor(words[i + 2]);
      if (!color) {
        return SettingError{"set: bad colour '" + words[i + 2] + "' (#RRGGBB or R,G,B)"};
      }
      change.entry = static_cast<uint8_t>(*entry - 1);
      change.color = *color;
      parsed = 0;
    } else {
      return SettingError{"set: unknown setting '" + words[i] + "'"};
    }
    change.value = *parsed;
    changes.push_back(change);
    i += needed + 1;
  }
  return changes;
}

void ApplySettingChange(const SettingChange& change, DeviceStateBlock& block) {
  switch (change.setting) {
    case Setting::Effect:
      ChooseEffect(block, change.value);
      break;
    case Setting::Speed:
      block.speed = change.value;
      break;
    case Setting::Brightness:
      block.brightness = change.value;
      break;
    case Setting::ColorChoice:
      block.colorChoice = change.value;
      break;
    case Setting::Direction:
      block.direction = change.value;
      break;
    case Setting::Palette:
      block.palette[change.entry] = change.color;
      break;
    case Setting::GameMode:
      block.gameMode = change.value;
      break;
    case Setting::WinLock:
      block.winLock = change.value;
      break;
    case Setting::ResponseTime:
      block.responseTime = change.value;
      break;
    case Setting::ReportRate:
      block.reportRate = change.value;
      break;
  }
}

}  // namespace tarsel
