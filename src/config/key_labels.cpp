// The key label table: HID usage and short label of every key code the program names.
#include "config/key_labels.h"

#include <string>

namespace tarsel {
namespace {

struct NamedKey {
  uint8_t keyCode;
  uint8_t usage;
  const char16_t* label;
};

// Keys outside the letter, digit, function-key and keypad-digit ranges.
constexpr NamedKey kNamedKeys[] = {
    {0x08, 0x2A, u"Back "},
    {0x09, 0x2B, u"Tab "},
    {0x0D, 0x28, u"Enter "},
    {0x13, 0x48, u"Pause "},
    {0x14, 0x39, u"Caps "},
    {0x1B, 0x29, u"Esc "},
    {0x20, 0x2C, u"Space "},
    {0x21, 0x4B, u"PgUp "},
    {0x22, 0x4E, u"PgDn "},
    {0x23, 0x4D, u"End "},
    {0x24, 0x4A, u"Home "},
    {0x25, 0x50, u"Left "},
    {0x26, 0x52, u"Up "},
    {0x27, 0x4F, u"Right "},
    {0x28, 0x51, u"Down "},
    {0x2C, 0x46, u"Prscr "},
    {0x2D, 0x49, u"Inst "},
    {0x2E, 0x4C, u"Del "},
    {0x5B, 0xE3, u"LWin "},
    {0x5C, 0xE7, u"RWin "},
    {0x5D, 0x65, u"Apps "},
    {0x6A, 0x55, u"* "},
    {0x6B, 0x57, u"+ "},
    {0x6C, 0x58, u"Enter "},
    {0x6D, 0x56, u"- "},
    {0x6E, 0x63, u". "},
    {0x6F, 0x54, u"/ "},
    {0x90, 0x53, u"Num "},
    {0x91, 0x47, u"Scrol "},
    {0xA0, 0xE1, u"LShift "},
    {0xA1, 0xE5, u"RShift "},
    {0xA2, 0xE0, u"LCtrl "},
    {0xA3, 0xE4, u"RCtrl "},
    {0xA4, 0xE2, u"LAlt "},
    {0xA5, 0xE6, u"RAlt "},
    {0xAE, 0xEA, u"Volume DOWN "},
    {0xAF, 0xE9, u"Volume UP "},
    {0xB3, 0xCD, u"Play/Pause"},
    {0xB5, 0x83, u"Media "},
    {0xBA, 0x33, u"; "},
    {0xBB, 0x2E, u"= "},
    {0xBC, 0x36, u", "},
    {0xBD, 0x2D, u"- "},
    {0xBE, 0x37, u". "},
    {0xBF, 0x38, u"/ "},
    {0xC0, 0x35, u"` "},
    {0xDB, 0x2F, u"[ "},
    {0xDC, 0x32, u"\\ "},
    {0xDD, 0x30, u"] "},
    {0xDE, 0x34, u"' "},
    {0xF0, 0xF0, u"MsLB"},
    {0xF1, 0xF1, u"MsRB"},
    {0xF2, 0xF2, u"MsMB"},
    {0xF3, 0xF3, u""},
    {0xF4, 0xF4, u""},
    {0xF5, 0xF5, u"Mouse Pointer Right"},
    {0xF6, 0xF6, u"Mouse Pointer Up"},
    {0xF7, 0xF7, u"Mouse pointer Down"},
    {0xF8, 0xF8, u"Mouse Wheel Up"},
    {0xF9, 0xF9, u"Mouse Wheel Down"},
};

}  // namespace

KeyLabels KeyLabels::BuildKeyLabels() {
  KeyLabels table;
  for (std::size_t code = 0; code < table.records_.size(); ++code) {
    table.records_[code].keyCode = static_cast<uint8_t>(code);
  }
  auto set = [&table](int code, int usage, std::u16string label) {
    KeyLabel& record = table.records_[static_cast<uint8_t>(code)];
    record.usage = static_cast<uint8_t>(usage);
    record.label = std::move(label);
  };
  auto ascii = [](const std::string& text) { return std::u16string(text.begin(), text.end()); };

  for (int code = 0x41; code <= 0x5A; ++code) {
    set(code, code - 0x3D, std::u16string{static_cast<char16_t>(code), u' '});
  }
  for (int code = 0x31; code <= 0x39; ++code) {
    set(code, code - 0x13, std::u16string{static_cast<char16_t>(code), u' '});
  }
  set(0x30, 0x27, u"0");
  for (int code = 0x70; code <= 0x7B; ++code) {
    set(code, code - 0x36, ascii("F" + std::to_string(code - 0x6F) + " "));
  }
  set(0x60, 0x62, u"0-num ");
  for (int code = 0x61; code <= 0x69; ++code) {
    set(code, code - 0x08, ascii(std::to_string(code - 0x60) + "-num "));
  }
  for (const NamedKey& key : kNamedKeys) set(key.keyCode, key.usage, key.label);
  return table;
}

}  // namespace tarsel
