#include "key_names.h"

#include <charconv>
#include <optional>
#include <vector>

#include "cli/keymap_report.h"
#include "cli/report_text.h"
#include "config/key_table.h"

namespace tarsel {
namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// "0x1B" and "0X1b"; nothing for anything else.
std::optional<uint8_t> ParseHexCode(std::string_view word) {
  if (word.size() < 3 || word.size() > 4 || word[0] != '0' || Lower(word[1]) != 'x') {
    return std::nullopt;
  }
  unsigned value = 0;
  const auto [end, error] = std::from_chars(word.data() + 2, word.data() + word.size(), value, 16);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return static_cast<uint8_t>(value);
}

// Every key code whose label, without its padding, is the word.
std::vector<uint8_t> CodesLabelled(std::string_view word, const KeyLabels& labels) {
  std::vector<uint8_t> codes;
  for (unsigned code = 0; code < 256; ++code) {
    const std::string label = KeyCodeName(labels, static_cast<uint8_t>(code));
    if (!Trimmed(word).empty() && SameName(label, Trimmed(word))) {
      codes.push_back(static_cast<uint8_t>(code));
    }
  }
  return codes;
}

}  // namespace

std::variant<std::size_t, KeyNameError> ParseKeyIndex(std::string_view word,
                                                      const KeyLabels& labels) {
  const std::string quoted = "'" + std::string(word) + "'";
  if (word.starts_with("index:")) {
    std::size_t index = 0;
    const std::string_view digits = word.substr(6);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        index >= kKeyCount) {
      return KeyNameError{"bad key index " + quoted +
                          " (index:0 to index:" + std::to_string(kKeyCount - 1) + ")"};
    }
    return index;
  }
  std::vector<uint8_t> codes;
  if (const std::optional<uint8_t> code = ParseHexCode(word)) {
    codes.push_back(*code);
  } else {
    codes = CodesLabelled(word, labels);
  }
  std::vector<std::size_t> keys;
  for (std::size_t k = 0; k < kKeyCount; ++k) {
    for (uint8_t code : codes) {
      if (KeyTable[k].defaultKeyCode == code) keys.push_back(k);
    }
  }
  if (keys.empty()) return KeyNameError{"no key of the keyboard is named " + quoted};
  if (keys.size() > 1) {
    std::string choices;
    for (std::size_t k : keys)
      choices += (choices.empty() ? "" : ", ") + ("index:" + std::to_string(k));
    return KeyNameError{quoted + " names several keys; give one of " + choices};
  }
  return keys.front();
}

std::variant<uint8_t, KeyNameError> ParseKeyCode(std::string_view word, const KeyLabels& labels) {
  if (const std::optional<uint8_t> code = ParseHexCode(word)) return *code;
  const std::vector<uint8_t> codes = CodesLabelled(word, labels);
  const std::string quoted = "'" + std::string(word) + "'";
  if (codes.empty()) return KeyNameError{"no key is named " + quoted};
  if (codes.size() > 1) {
    std::string choices;
    for (uint8_t code : codes) choices += (choices.empty() ? "0x" : ", 0x") + Hex2(code);
    return KeyNameError{quoted + " names several keys; give one of " + choices};
  }
  return codes.front();
}

}  // namespace tarsel
