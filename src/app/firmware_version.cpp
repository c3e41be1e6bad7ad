#include "app/firmware_version.h"

#include <array>
#include <fstream>

namespace tarsel {

namespace {

bool IsDigit(uint8_t b) {
  return b >= '0' && b <= '9';
}

}  // namespace

FirmwareVersion ParseVersionBytes(std::span<const uint8_t> bytes) {
  if (bytes.size() < 8 || !IsDigit(bytes[5]) || !IsDigit(bytes[7])) return {};
  return {static_cast<uint8_t>(bytes[5] - '0'), static_cast<uint8_t>(bytes[7] - '0')};
}

FirmwareVersion ReadVersionFile(const std::filesystem::path& programFolder) {
  std::ifstream in(programFolder / kVersionFileName, std::ios::binary);
  if (!in) return {};
  std::array<uint8_t, 12> buffer{};
  in.read(reinterpret_cast<char*>(buffer.data()), buffer.size());
  return ParseVersionBytes(std::span(buffer.data(), static_cast<std::size_t>(in.gcount())));
}

bool PackageIsNewer(FirmwareVersion package, FirmwareVersion keyboard) {
  if (package.major != keyboard.major) return package.major > keyboard.major;
  return package.minor > keyboard.minor;
}

}  // namespace tarsel
