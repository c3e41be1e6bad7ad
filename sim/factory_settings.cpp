#include "factory_settings.h"

#include <cstddef>
#include <cstdint>

#include "config/key_table.h"

namespace tarsel {
namespace {

// The bit the keyboard keeps set besides the keys' own bits (read back as "Windows keys work").
constexpr std::size_t kWinKeyEnableBit = 8;

constexpr std::size_t kMatrixRows = 6;
constexpr std::size_t kMatrixColumns = 21;

RgbColor HueToRgb(unsigned hue) {
  // Fully saturated, full value: six linear segments around the colour wheel.
  hue %= 360;
  const auto rising = static_cast<uint8_t>((hue % 60) * 255 / 60);
  const auto falling = static_cast<uint8_t>(255 - rising);
  switch (hue / 60) {
    case 0:
      return {255, rising, 0};
    case 1:
      return {falling, 255, 0};
    case 2:
      return {0, 255, rising};
    case 3:
      return {0, falling, 255};
    case 4:
      return {rising, 0, 255};
    default:
      return {255, 0, falling};
  }
}

// Each layout is a rainbow laid a different way over the matrix, so the five look distinct.
RgbColor LayoutColour(std::size_t page, std::size_t row, std::size_t column) {
  switch (page) {
    case 0:  // left to right
      return HueToRgb(static_cast<unsigned>(column * 360 / kMatrixColumns));
    case 1:  // top to bottom
      return HueToRgb(static_cast<unsigned>(row * 360 / kMatrixRows));
    case 2:  // diagonal
      return HueToRgb(static_cast<unsigned>((column + row * 2) * 360 / (kMatrixColumns + 12)));
    case 3:  // warm half of the wheel, left to right
      return HueToRgb(static_cast<unsigned>(column * 60 / kMatrixColumns));
    default:  // cool half of the wheel, left to right
      return HueToRgb(static_cast<unsigned>(180 + column * 90 / kMatrixColumns));
  }
}

}  // namespace

DeviceStateBlock FactorySettings() {
  DeviceStateBlock block{};
  block.reportRate = 1;
  block.responseTime = 1;
  block.effect = 1;
  block.speed = 5;
  block.brightness = 50;
  block.colorChoice = 8;
  block.direction = 1;
  block.palette = {{
      {255, 0, 0},
      {0, 255, 0},
      {0, 0, 255},
      {255, 255, 0},
      {0, 255, 255},
      {255, 0, 255},
      {255, 255, 255},
  }};
  block.gameMode = 0;

  for (const KeyTableEntry& key : KeyTable) {
    block.keyMap[MapEntryIndex(key.position)] = key.defaultEntry;
    block.keyEnable[key.enableBit / 8] |= static_cast<uint8_t>(1u << (key.enableBit % 8));
  }
  block.keyEnable[kWinKeyEnableBit / 8] |= static_cast<uint8_t>(1u << (kWinKeyEnableBit % 8));

  // Every light of the matrix gets a colour, keys or not; entry m is [0, red, green, blue].
  for (std::size_t page = 0; page < kColorPageCount; ++page) {
    for (std::size_t m = 0; m < kColorPageSize; m += 4) {
      const std::size_t p = m / 4;
      const RgbColor colour = LayoutColour(page, p % kMatrixRows, p / kMatrixRows);
      block.colorPages[page][m] = 0;
      block.colorPages[page][m + 1] = colour[0];
      block.colorPages[page][m + 2] = colour[1];
      block.colorPages[page][m + 3] = colour[2];
    }
  }
  return block;
}

}  // namespace tarsel
