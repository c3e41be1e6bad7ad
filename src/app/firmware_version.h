// Firmware versions: the one the updater beside the program carries (VER.bin) and the
// comparison with the keyboard's own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace tarsel {

inline constexpr char kVersionFileName[] = "VER.bin";
inline constexpr char kUpdaterFileName[] = "Tarsel_Update.exe";

struct FirmwareVersion {
  uint8_t major = 0;
  uint8_t minor = 0;
  friend bool operator==(const FirmwareVersion&, const FirmwareVersion&) = default;
};

// Version digits sit at bytes 5 and 7 as ASCII "0".."9". A file too short to hold both, or with
// anything but a digit there, gives 0.0: a damaged file must never make an old keyboard look
// newer or a new one look older and so invite a needless flash.
FirmwareVersion ParseVersionBytes(std::span<const uint8_t> bytes);
// Reads the first 12 bytes of VER.bin; 0.0 when the file is missing or unreadable.
FirmwareVersion ReadVersionFile(const std::filesystem::path& programFolder);

// True when the package is newer than the keyboard (major decides, then minor).
bool PackageIsNewer(FirmwareVersion package, FirmwareVersion keyboard);

}  // namespace tarsel
