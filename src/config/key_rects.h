// Where each key sits on the keyboard picture, and the label drawn on it in the colour view.
//
// The pictures "kb_BK.png" and "kb_hl.png" are drawn from this table, and the key hit test runs
// over it, so a key is lit exactly where it is clicked.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "config/key_table.h"
#include "platform/geometry.h"

namespace tarsel {

// Main-window point at which the keyboard picture is drawn; key rectangles are relative to it.
inline constexpr Point kKeyPictureOrigin{307, 211};
// Main-window point that the label points are relative to.
inline constexpr Point kKeyLabelOrigin{302, 206};

struct KeyRect {
  bool onPicture = false;  // the four media keys exist on the keyboard but not on the picture
  Rect rect;               // inclusive on all four edges, relative to kKeyPictureOrigin
  std::u16string_view label;
  Point labelPoint;  // relative to kKeyLabelOrigin
};

// Indexed by key index 0..107 (the key table's order).
inline constexpr std::array<KeyRect, kKeyCount> kKeyRects = {{
    {true, {15, 17, 40, 43}, u"Esc", {27, 30}},           // 0
    {true, {71, 17, 96, 43}, u"F1", {83, 30}},            // 1
    {true, {98, 17, 123, 43}, u"F2", {110, 30}},          // 2
    {true, {125, 17, 150, 43}, u"F3", {137, 30}},         // 3
    {true, {152, 17, 177, 43}, u"F4", {164, 30}},         // 4
    {true, {193, 17, 218, 43}, u"F5", {205, 30}},         // 5
    {true, {220, 17, 245, 43}, u"F6", {232, 30}},         // 6
    {true, {247, 17, 272, 43}, u"F7", {259, 30}},         // 7
    {true, {274, 17, 299, 43}, u"F8", {286, 30}},         // 8
    {true, {315, 17, 340, 43}, u"F9", {327, 30}},         // 9
    {true, {342, 17, 367, 43}, u"F10", {354, 30}},        // 10
    {true, {369, 17, 394, 43}, u"F11", {381, 30}},        // 11
    {true, {396, 17, 421, 43}, u"F12", {408, 30}},        // 12
    {true, {432, 17, 457, 43}, u"Prnt", {443, 30}},       // 13
    {true, {459, 17, 484, 43}, u"Scrl", {469, 30}},       // 14
    {true, {486, 17, 511, 43}, u"Pause", {493, 30}},      // 15
    {false, {}, u"", {}},                                 // 16 not on the picture
    {false, {}, u"", {}},                                 // 17 not on the picture
    {false, {}, u"", {}},                                 // 18 not on the picture
    {false, {}, u"", {}},                                 // 19 not on the picture
    {true, {15, 51, 40, 77}, u"~", {27, 64}},             // 20
    {true, {42, 51, 67, 77}, u"1", {55, 64}},             // 21
    {true, {69, 51, 94, 77}, u"2", {82, 64}},             // 22
    {true, {96, 51, 121, 77}, u"3", {109, 64}},           // 23
    {true, {123, 51, 148, 77}, u"4", {136, 64}},          // 24
    {true, {150, 51, 175, 77}, u"5", {163, 64}},          // 25
    {true, {177, 51, 202, 77}, u"6", {189, 64}},          // 26
    {true, {204, 51, 229, 77}, u"7", {216, 64}},          // 27
    {true, {231, 51, 256, 77}, u"8", {243, 64}},          // 28
    {true, {258, 51, 283, 77}, u"9", {271, 64}},          // 29
    {true, {285, 51, 310, 77}, u"0", {298, 64}},          // 30
    {true, {313, 51, 338, 77}, u"-", {325, 64}},          // 31
    {true, {341, 51, 366, 77}, u"=", {353, 64}},          // 32
    {true, {369, 51, 421, 77}, u"Back", {395, 64}},       // 33
    {true, {432, 51, 457, 77}, u"Ins", {445, 64}},        // 34
    {true, {459, 51, 484, 77}, u"Home", {468, 64}},       // 35
    {true, {486, 51, 511, 77}, u"PgUp", {495, 64}},       // 36
    {true, {523, 51, 548, 77}, u"Num", {535, 64}},        // 37
    {true, {550, 51, 575, 77}, u"/", {562, 64}},          // 38
    {true, {577, 51, 602, 77}, u"*", {589, 64}},          // 39
    {true, {604, 51, 629, 77}, u"-", {616, 64}},          // 40
    {true, {15, 79, 54, 105}, u"Tab", {34, 93}},          // 41
    {true, {56, 79, 81, 105}, u"Q", {68, 93}},            // 42
    {true, {83, 79, 108, 105}, u"W", {96, 93}},           // 43
    {true, {110, 79, 135, 105}, u"E", {122, 93}},         // 44
    {true, {137, 79, 162, 105}, u"R", {150, 93}},         // 45
    {true, {164, 79, 189, 105}, u"T", {177, 93}},         // 46
    {true, {191, 79, 216, 105}, u"Y", {204, 93}},         // 47
    {true, {218, 79, 243, 105}, u"U", {230, 93}},         // 48
    {true, {245, 79, 270, 105}, u"I", {257, 93}},         // 49
    {true, {272, 79, 297, 105}, u"O", {284, 93}},         // 50
    {true, {299, 79, 324, 105}, u"P", {311, 93}},         // 51
    {true, {326, 79, 351, 105}, u"[", {338, 93}},         // 52
    {true, {353, 79, 378, 105}, u"]", {365, 93}},         // 53
    {true, {380, 79, 421, 105}, u"\\", {399, 93}},        // 54
    {true, {432, 79, 457, 105}, u"Del", {445, 93}},       // 55
    {true, {459, 79, 484, 105}, u"End", {468, 93}},       // 56
    {true, {486, 79, 511, 105}, u"PgDn", {495, 93}},      // 57
    {true, {523, 79, 548, 105}, u"7", {535, 93}},         // 58
    {true, {550, 79, 575, 105}, u"8", {563, 93}},         // 59
    {true, {577, 79, 602, 105}, u"9", {589, 93}},         // 60
    {true, {604, 79, 629, 133}, u"+", {617, 106}},        // 61
    {true, {15, 107, 61, 133}, u"Caps Lock", {22, 118}},  // 62
    {true, {63, 107, 88, 133}, u"A", {75, 118}},          // 63
    {true, {90, 107, 115, 133}, u"S", {103, 118}},        // 64
    {true, {117, 107, 142, 133}, u"D", {129, 118}},       // 65
    {true, {144, 107, 169, 133}, u"F", {156, 118}},       // 66
    {true, {171, 107, 196, 133}, u"G", {184, 118}},       // 67
    {true, {198, 107, 223, 133}, u"H", {210, 118}},       // 68
    {true, {225, 107, 250, 133}, u"J", {237, 118}},       // 69
    {true, {252, 107, 277, 133}, u"K", {264, 118}},       // 70
    {true, {279, 107, 304, 133}, u"L", {291, 118}},       // 71
    {true, {306, 107, 331, 133}, u";", {318, 118}},       // 72
    {true, {333, 107, 358, 133}, u"'", {345, 118}},       // 73
    {true, {360, 107, 421, 133}, u"Ent", {390, 118}},     // 74
    {true, {523, 107, 548, 133}, u"4", {535, 118}},       // 75
    {true, {550, 107, 575, 133}, u"5", {563, 118}},       // 76
    {true, {577, 107, 602, 133}, u"6", {589, 118}},       // 77
    {true, {15, 135, 74, 161}, u"Shift", {45, 148}},      // 78
    {true, {76, 135, 101, 161}, u"Z", {89, 148}},         // 79
    {true, {103, 135, 128, 161}, u"X", {115, 148}},       // 80
    {true, {130, 135, 155, 161}, u"C", {142, 148}},       // 81
    {true, {157, 135, 182, 161}, u"V", {169, 148}},       // 82
    {true, {184, 135, 209, 161}, u"B", {196, 148}},       // 83
    {true, {211, 135, 236, 161}, u"N", {223, 148}},       // 84
    {true, {238, 135, 263, 161}, u"M", {250, 148}},       // 85
    {true, {265, 135, 290, 161}, u",", {277, 148}},       // 86
    {true, {292, 135, 317, 161}, u".", {304, 148}},       // 87
    {true, {319, 135, 344, 161}, u"/", {332, 148}},       // 88
    {true, {346, 135, 421, 161}, u"Shift", {382, 148}},   // 89
    {true, {459, 135, 484, 161}, u"Up", {471, 148}},      // 90
    {true, {523, 135, 548, 161}, u"1", {535, 148}},       // 91
    {true, {550, 135, 575, 161}, u"2", {563, 148}},       // 92
    {true, {577, 135, 602, 161}, u"3", {589, 148}},       // 93
    {true, {604, 135, 629, 189}, u"Ent", {617, 160}},     // 94
    {true, {15, 163, 54, 189}, u"Ctrl", {29, 176}},       // 95
    {true, {56, 163, 88, 189}, u"Win", {72, 176}},        // 96
    {true, {90, 163, 122, 189}, u"Alt", {106, 176}},      // 97
    {true, {124, 163, 285, 189}, u"Space", {204, 176}},   // 98
    {true, {287, 163, 319, 189}, u"Alt", {303, 176}},     // 99
    {true, {321, 163, 353, 189}, u"Fn", {336, 176}},      // 100
    {true, {355, 163, 387, 189}, u"App", {371, 176}},     // 101
    {true, {389, 163, 421, 189}, u"Ctrl", {400, 176}},    // 102
    {true, {432, 163, 457, 189}, u"Left", {444, 176}},    // 103
    {true, {459, 163, 484, 189}, u"Down", {467, 176}},    // 104
    {true, {486, 163, 511, 189}, u"Right", {493, 176}},   // 105
    {true, {523, 163, 575, 189}, u"0", {549, 176}},       // 106
    {true, {577, 163, 602, 189}, u".", {589, 176}},       // 107
}};

// The keys never share a pixel, so the first match of a hit test is the only one.
constexpr bool KeyRectsAreDisjoint() {
  for (std::size_t i = 0; i < kKeyRects.size(); ++i) {
    for (std::size_t j = i + 1; j < kKeyRects.size(); ++j) {
      const KeyRect& a = kKeyRects[i];
      const KeyRect& b = kKeyRects[j];
      if (!a.onPicture || !b.onPicture) continue;
      if (a.rect.left <= b.rect.right && b.rect.left <= a.rect.right &&
          a.rect.top <= b.rect.bottom && b.rect.top <= a.rect.bottom) {
        return false;
      }
    }
  }
  return true;
}
static_assert(KeyRectsAreDisjoint());

// Key index whose rectangle holds (x, y) relative to the picture origin, or -1.
constexpr int KeyAtPicturePoint(int x, int y) {
  for (std::size_t i = 0; i < kKeyRects.size(); ++i) {
    if (kKeyRects[i].onPicture && kKeyRects[i].rect.Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tarsel
