// Recognising the keyboard's hidraw nodes from a udev device path, without touching sysfs (on
// removal the sysfs entries are already gone).
#pragma once

#include <cstdint>
#include <string_view>

namespace tarsel {

// True when a component of devpath names a HID device "BBBB:VVVV:PPPP.NNNN" with the given ids,
// e.g. ".../0003:04D9:A1DD.0005/hidraw/hidraw3". Hex digits in either case.
bool IsHidDevpathOf(std::string_view devpath, uint16_t vendorId, uint16_t productId);

// What a udev action on a hidraw node means for the keyboard (04D9:A1DD).
enum class HidrawAction { Ignore, Arrival, Removal };
HidrawAction ClassifyHidrawEvent(std::string_view action, std::string_view devpath);

}  // namespace tarsel
