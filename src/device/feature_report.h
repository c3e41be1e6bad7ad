// The three report shapes of the keyboard protocol and the check byte of feature reports.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarsel {

inline constexpr uint16_t kKeyboardVendorId = 0x04D9;
inline constexpr uint16_t kKeyboardProductId = 0xA1DD;
// Path markers of the two interfaces the utility talks to.
inline constexpr std::string_view kCommandInterfaceMarker = "mi_03";
inline constexpr std::string_view kEventInterfaceMarker = "ol04";

inline constexpr std::size_t kFeatureReportSize = 9;
inline constexpr std::size_t kPageDataSize = 64;
inline constexpr std::size_t kPageReportSize = kPageDataSize + 1;
inline constexpr std::size_t kEventReportSize = 4;
inline constexpr uint8_t kEventReportId = 4;
// Byte 1 of an event report: 4 acknowledges a write command, anything else is a key event.
inline constexpr uint8_t kEventTypeAcknowledge = 4;

// Byte 1 of a feature report; 0x80 and above read from the keyboard, the others write to it.
enum class CommandCode : uint8_t {
  SetReportRate = 0x01,
  SetResponseTime = 0x04,
  SetLighting = 0x08,
  SetGameMode = 0x09,
  WriteKeyMap = 0x0D,
  WriteKeyEnable = 0x0E,
  WriteMacroSlot = 0x11,
  WriteColorPage = 0x12,
  FactoryReset = 0x13,
  SetPaletteColor = 0x14,
  GetVersion = 0x80,
  GetReportRate = 0x81,
  GetResponseTime = 0x84,
  GetLighting = 0x88,
  GetGameMode = 0x89,
  ReadKeyMap = 0x8D,
  ReadKeyEnable = 0x8E,
  ReadMacroSlot = 0x91,
  ReadColorPage = 0x92,
  GetPaletteColor = 0x94,
};

// [report id 0, command, p1..p6, check].
using FeatureReport = std::array<uint8_t, kFeatureReportSize>;
using PageData = std::array<uint8_t, kPageDataSize>;
// [report id 4, event type, key code, unused].
using EventReport = std::array<uint8_t, kEventReportSize>;

// 0xFF minus the sum of bytes 1 to 7, all modulo 256.
constexpr uint8_t FeatureCheckByte(const FeatureReport& report) {
  unsigned sum = 0;
  for (std::size_t i = 1; i <= 7; ++i) sum += report[i];
  return static_cast<uint8_t>(0xFFu - (sum & 0xFFu));
}

constexpr FeatureReport BuildFeatureReport(uint8_t command, uint8_t p1 = 0, uint8_t p2 = 0,
                                           uint8_t p3 = 0, uint8_t p4 = 0, uint8_t p5 = 0,
                                           uint8_t p6 = 0) {
  FeatureReport report{0, command, p1, p2, p3, p4, p5, p6, 0};
  report[8] = FeatureCheckByte(report);
  return report;
}

}  // namespace tarsel
