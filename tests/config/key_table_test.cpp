// The key table against the published rows, and the matrix-position arithmetic.
#include "config/key_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "config/key_labels.h"

namespace tarsel {
namespace {

// Default code (hex), matrix position, enable bit, default entry (hex bytes), by key index.
constexpr const char* kExpectedRows[kKeyCount] = {
    "1B 20 120 00 00 29 00",   // 0
    "70 68 122 00 00 3A 00",   // 1
    "71 92 123 00 00 3B 00",   // 2
    "72 116 124 00 00 3C 00",  // 3
    "73 140 125 00 00 3D 00",  // 4
    "74 164 126 00 00 3E 00",  // 5
    "75 188 127 00 00 3F 00",  // 6
    "76 212 128 00 00 40 00",  // 7
    "77 236 129 00 00 41 00",  // 8
    "78 260 130 00 00 42 00",  // 9
    "79 284 131 00 00 43 00",  // 10
    "7A 308 132 00 00 44 00",  // 11
    "7B 332 133 00 00 45 00",  // 12
    "2C 356 134 00 00 46 00",  // 13
    "91 380 135 00 00 47 00",  // 14
    "13 404 136 00 00 48 00",  // 15
    "AE 428 137 03 00 EA 00",  // 16
    "B5 452 138 03 00 83 01",  // 17
    "B3 476 139 03 00 CD 00",  // 18
    "AF 500 140 03 00 E9 00",  // 19
    "C0 16 96 00 00 35 00",    // 20
    "31 40 97 00 00 1E 00",    // 21
    "32 64 98 00 00 1F 00",    // 22
    "33 88 99 00 00 20 00",    // 23
    "34 112 100 00 00 21 00",  // 24
    "35 136 101 00 00 22 00",  // 25
    "36 160 102 00 00 23 00",  // 26
    "37 184 103 00 00 24 00",  // 27
    "38 208 104 00 00 25 00",  // 28
    "39 232 105 00 00 26 00",  // 29
    "30 256 106 00 00 27 00",  // 30
    "BD 280 107 00 00 2D 00",  // 31
    "BB 304 108 00 00 2E 00",  // 32
    "08 328 109 00 00 2A 00",  // 33
    "2D 352 110 00 00 49 00",  // 34
    "24 376 111 00 00 4A 00",  // 35
    "21 400 112 00 00 4B 00",  // 36
    "90 424 113 00 00 53 00",  // 37
    "6F 448 114 00 00 54 00",  // 38
    "6A 472 115 00 00 55 00",  // 39
    "6D 496 116 00 00 56 00",  // 40
    "09 12 72 00 00 2B 00",    // 41
    "51 36 73 00 00 14 00",    // 42
    "57 60 74 00 00 1A 00",    // 43
    "45 84 75 00 00 08 00",    // 44
    "52 108 76 00 00 15 00",   // 45
    "54 132 77 00 00 17 00",   // 46
    "59 156 78 00 00 1C 00",   // 47
    "55 180 79 00 00 18 00",   // 48
    "49 204 80 00 00 0C 00",   // 49
    "4F 228 81 00 00 12 00",   // 50
    "50 252 82 00 00 13 00",   // 51
    "DB 276 83 00 00 2F 00",   // 52
    "DD 300 84 00 00 30 00",   // 53
    "DC 324 85 00 00 31 00",   // 54
    "2E 348 86 00 00 4C 00",   // 55
    "23 372 87 00 00 4D 00",   // 56
    "22 396 88 00 00 4E 00",   // 57
    "67 420 89 00 00 5F 00",   // 58
    "68 444 90 00 00 60 00",   // 59
    "69 468 91 00 00 61 00",   // 60
    "6B 488 68 00 00 57 00",   // 61
    "14 8 48 00 00 39 00",     // 62
    "41 32 49 00 00 04 00",    // 63
    "53 56 50 00 00 16 00",    // 64
    "44 80 51 00 00 07 00",    // 65
    "46 104 52 00 00 09 00",   // 66
    "47 128 53 00 00 0A 00",   // 67
    "48 152 54 00 00 0B 00",   // 68
    "4A 176 55 00 00 0D 00",   // 69
    "4B 200 56 00 00 0E 00",   // 70
    "4C 224 57 00 00 0F 00",   // 71
    "BA 248 58 00 00 33 00",   // 72
    "DE 272 59 00 00 34 00",   // 73
    "0D 320 61 00 00 28 00",   // 74
    "64 416 65 00 00 5C 00",   // 75
    "65 440 66 00 00 5D 00",   // 76
    "66 464 67 00 00 5E 00",   // 77
    "A0 4 24 00 00 E1 00",     // 78
    "5A 28 25 00 00 1D 00",    // 79
    "58 52 26 00 00 1B 00",    // 80
    "43 76 27 00 00 06 00",    // 81
    "56 100 28 00 00 19 00",   // 82
    "42 124 29 00 00 05 00",   // 83
    "4E 148 30 00 00 11 00",   // 84
    "4D 172 31 00 00 10 00",   // 85
    "BC 196 32 00 00 36 00",   // 86
    "BE 220 33 00 00 37 00",   // 87
    "BF 244 34 00 00 38 00",   // 88
    "A1 292 36 00 00 E5 00",   // 89
    "26 364 39 00 00 52 00",   // 90
    "61 412 41 00 00 59 00",   // 91
    "62 436 42 00 00 5A 00",   // 92
    "63 460 43 00 00 5B 00",   // 93
    "6C 480 20 00 00 58 00",   // 94
    "A2 0 0 00 00 E0 00",      // 95
    "5B 24 1 00 00 E3 00",     // 96
    "A4 48 2 00 00 E2 00",     // 97
    "20 120 5 00 00 2C 00",    // 98
    "A5 216 9 00 00 E6 00",    // 99
    "5D 240 10 02 00 00 00",   // 100
    "5D 264 11 00 00 65 00",   // 101
    "A3 312 13 00 00 E4 00",   // 102
    "25 336 14 00 00 50 00",   // 103
    "28 360 15 00 00 51 00",   // 104
    "27 384 16 00 00 4F 00",   // 105
    "60 408 17 00 00 62 00",   // 106
    "6E 456 19 00 00 63 00",   // 107
};

TEST(KeyTable, EveryRowMatchesThePublishedTable) {
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    unsigned code, position, bit, e0, e1, e2, e3;
    ASSERT_EQ(std::sscanf(kExpectedRows[i], "%x %u %u %x %x %x %x", &code, &position, &bit, &e0,
                          &e1, &e2, &e3),
              7);
    SCOPED_TRACE("key index " + std::to_string(i));
    EXPECT_EQ(KeyTable[i].defaultKeyCode, code);
    EXPECT_EQ(KeyTable[i].position, position);
    EXPECT_EQ(KeyTable[i].enableBit, bit);
    EXPECT_EQ(KeyTable[i].defaultEntry,
              (KeyMapEntry{uint8_t(e0), uint8_t(e1), uint8_t(e2), uint8_t(e3)}));
  }
}

// Two keys on one matrix cell or one enable bit would make edits of one key change another.
TEST(KeyTable, PositionsAndEnableBitsAreDistinctAndInRange) {
  std::set<std::size_t> entries;
  std::set<unsigned> bits;
  for (const KeyTableEntry& key : KeyTable) {
    EXPECT_EQ(key.position % 4, 0u);
    EXPECT_LE(MapEntryIndex(key.position), 125u);
    EXPECT_LT(key.enableBit, kKeyEnableSize * 8);
    entries.insert(MapEntryIndex(key.position));
    bits.insert(key.enableBit);
  }
  EXPECT_EQ(entries.size(), kKeyCount);
  EXPECT_EQ(bits.size(), kKeyCount);
}

TEST(KeyTable, FactoryEntriesAreTheUsageOfTheDefaultCodeExceptTheDocumentedKeys) {
  const KeyLabels labels = KeyLabels::BuildKeyLabels();
  const std::set<std::size_t> exceptions = {16, 17, 18, 19, 54, 100};
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    if (exceptions.count(i)) continue;
    EXPECT_EQ(KeyTable[i].defaultEntry,
              (KeyMapEntry{0, 0, labels.UsageOf(KeyTable[i].defaultKeyCode), 0}))
        << "key index " << i;
  }
}

TEST(MapEntryIndex, RowsOfTwentyOneColumnsFilledColumnByColumn) {
  struct Case {
    uint16_t position;
    std::size_t index;
  };
  const Case cases[] = {
      {0, 0},      // p 0: row 0, column 0
      {4, 21},     // p 1: row 1, column 0
      {20, 105},   // p 5: row 5, column 0
      {24, 1},     // p 6: row 0, column 1
      {500, 125},  // p 125: row 5, column 20, the last used entry
      {320, 55},   // p 80: row 2, column 13
  };
  for (const Case& c : cases) EXPECT_EQ(MapEntryIndex(c.position), c.index) << c.position;
  EXPECT_EQ(MapEntryIndex(KeyTable[19].position), 125u);
  EXPECT_EQ(MapEntryIndex(KeyTable[95].position), 0u);
  EXPECT_EQ(KeyTable[95].enableBit, 0);
}

}  // namespace
}  // namespace tarsel
