// The key label table against the published rules and rows.
#include "config/key_labels.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tarsel {
namespace {

struct Expected {
  uint8_t usage;
  std::u16string label;
};

std::u16string Ascii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

// Every code the table names, with its usage and label; all other codes are blank.
std::map<int, Expected> ExpectedLabels() {
  std::map<int, Expected> expected;
  for (char c = 'A'; c <= 'Z'; ++c) expected[c] = {uint8_t(0x04 + (c - 'A')), Ascii({c, ' '})};
  for (char c = '1'; c <= '9'; ++c) expected[c] = {uint8_t(0x1E + (c - '1')), Ascii({c, ' '})};
  expected[0x30] = {0x27, u"0"};
  for (int n = 1; n <= 12; ++n)
    expected[0x6F + n] = {uint8_t(0x39 + n), Ascii("F" + std::to_string(n) + " ")};
  expected[0x60] = {0x62, u"0-num "};
  for (int n = 1; n <= 9; ++n)
    expected[0x60 + n] = {uint8_t(0x58 + n), Ascii(std::to_string(n) + "-num ")};
  struct Row {
    int code;
    const char16_t* label;
    uint8_t usage;
  };
  const Row rows[] = {
      {0x08, u"Back ", 0x2A},
      {0x09, u"Tab ", 0x2B},
      {0x0D, u"Enter ", 0x28},
      {0x13, u"Pause ", 0x48},
      {0x14, u"Caps ", 0x39},
      {0x1B, u"Esc ", 0x29},
      {0x20, u"Space ", 0x2C},
      {0x21, u"PgUp ", 0x4B},
      {0x22, u"PgDn ", 0x4E},
      {0x23, u"End ", 0x4D},
      {0x24, u"Home ", 0x4A},
      {0x25, u"Left ", 0x50},
      {0x26, u"Up ", 0x52},
      {0x27, u"Right ", 0x4F},
      {0x28, u"Down ", 0x51},
      {0x2C, u"Prscr ", 0x46},
      {0x2D, u"Inst ", 0x49},
      {0x2E, u"Del ", 0x4C},
      {0x5B, u"LWin ", 0xE3},
      {0x5C, u"RWin ", 0xE7},
      {0x5D, u"Apps ", 0x65},
      {0x6A, u"* ", 0x55},
      {0x6B, u"+ ", 0x57},
      {0x6C, u"Enter ", 0x58},
      {0x6D, u"- ", 0x56},
      {0x6E, u". ", 0x63},
      {0x6F, u"/ ", 0x54},
      {0x90, u"Num ", 0x53},
      {0x91, u"Scrol ", 0x47},
      {0xA0, u"LShift ", 0xE1},
      {0xA1, u"RShift ", 0xE5},
      {0xA2, u"LCtrl ", 0xE0},
      {0xA3, u"RCtrl ", 0xE4},
      {0xA4, u"LAlt ", 0xE2},
      {0xA5, u"RAlt ", 0xE6},
      {0xAE, u"Volume DOWN ", 0xEA},
      {0xAF, u"Volume UP ", 0xE9},
      {0xB3, u"Play/Pause", 0xCD},
      {0xB5, u"Media ", 0x83},
      {0xBA, u"; ", 0x33},
      {0xBB, u"= ", 0x2E},
      {0xBC, u", ", 0x36},
      {0xBD, u"- ", 0x2D},
      {0xBE, u". ", 0x37},
      {0xBF, u"/ ", 0x38},
      {0xC0, u"` ", 0x35},
      {0xDB, u"[ ", 0x2F},
      {0xDC, u"\\ ", 0x32},
      {0xDD, u"] ", 0x30},
      {0xDE, u"' ", 0x34},
      {0xF0, u"MsLB", 0xF0},
      {0xF1, u"MsRB", 0xF1},
      {0xF2, u"MsMB", 0xF2},
      {0xF3, u"", 0xF3},
      {0xF4, u"", 0xF4},
      {0xF5, u"Mouse Pointer Right", 0xF5},
      {0xF6, u"Mouse Pointer Up", 0xF6},
      {0xF7, u"Mouse pointer Down", 0xF7},
      {0xF8, u"Mouse Wheel Up", 0xF8},
      {0xF9, u"Mouse Wheel Down", 0xF9},
  };
  for (const Row& row : rows) expected[row.code] = {row.usage, row.label};
  return expected;
}

TEST(KeyLabels, EveryCodeHasItsPublishedUsageAndLabel) {
  const KeyLabels labels = KeyLabels::BuildKeyLabels();
  const std::map<int, Expected> expected = ExpectedLabels();
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE("key code " + std::to_string(code));
    const KeyLabel& record = labels.Record(uint8_t(code));
    EXPECT_EQ(record.keyCode, code);
    const auto it = expected.find(code);
    const Expected blank{0, u""};
    const Expected& want = it == expected.end() ? blank : it->second;
    EXPECT_EQ(labels.UsageOf(uint8_t(code)), want.usage);
    EXPECT_EQ(labels.LabelOf(uint8_t(code)), want.label);
    EXPECT_LE(record.label.size(), 99u);
  }
}

TEST(KeyLabels, ExamplesReadAsTheUserSeesThem) {
  const KeyLabels labels = KeyLabels::BuildKeyLabels();
  EXPECT_EQ(labels.UsageOf(0x41), 0x04);
  EXPECT_EQ(labels.LabelOf(0x41), u"A ");
  EXPECT_EQ(labels.LabelOf(0x30), u"0");
  EXPECT_EQ(labels.UsageOf(0x70), 0x3A);
  EXPECT_EQ(labels.LabelOf(0x7B), u"F12 ");
  EXPECT_EQ(labels.LabelOf(0x6C), u"Enter ");
  EXPECT_EQ(labels.LabelOf(0x0D), u"Enter ");
  EXPECT_EQ(labels.UsageOf(0x6C), 0x58);
  EXPECT_EQ(labels.UsageOf(0x0D), 0x28);
  EXPECT_EQ(labels.LabelOf(0xC0), u"` ");
  EXPECT_EQ(labels.LabelOf(0xDC), u"\\ ");
  EXPECT_EQ(labels.UsageOf(0x01), 0);
  EXPECT_EQ(labels.LabelOf(0x01), u"");
}

}  // namespace
}  // namespace tarsel
