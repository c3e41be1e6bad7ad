// Paths the HID adapter hands out: the hidraw node followed by the markers the device link
// searches for, "/dev/hidraw4#mi_03" or "/dev/hidraw2#mi_02&col04".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

struct InterfacePath {
  std::string node;              // "/dev/hidrawN"
  int interfaceNumber = -1;      // USB interface number, -1 when not a USB interface
  bool eventCollection = false;  // holds the collection whose input reports carry id 4
};

// The report id whose collection gets the "col04" marker.
inline constexpr unsigned char kEventCollectionReportId = 4;

std::string DecorateInterfacePath(const InterfacePath& path);
// Undoes DecorateInterfacePath; nullopt for anything that is not a hidraw node path, so that
// only device nodes are ever opened.
std::optional<InterfacePath> ParseInterfacePath(std::string_view decorated);
// "hidrawN" of a hidraw node path, for the node's sysfs folder.
std::optional<std::string> HidrawName(std::string_view node);

}  // namespace tarsel
