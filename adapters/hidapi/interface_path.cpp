#include "interface_path.h"

#include <cstdio>

namespace tarsel {
namespace {

constexpr std::string_view kNodePrefix = "/dev/hidraw";
constexpr char kMarkerSeparator = '#';
constexpr std::string_view kInterfaceMarker = "mi_";
constexpr std::string_view kEventMarker = "col04";

bool AllDigits(std::string_view text) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> HidrawName(std::string_view node) {
  if (!node.starts_with(kNodePrefix) || !AllDigits(node.substr(kNodePrefix.size()))) {
    return std::nullopt;
  }
  return std::string(node.substr(std::string_view("/dev/").size()));
}

std::string DecorateInterfacePath(const InterfacePath& path) {
  std::string markers;
  if (path.interfaceNumber >= 0 && path.interfaceNumber <= 0xFF) {
    char text[8];
    std::snprintf(text, sizeof text, "mi_%02x", path.interfaceNumber);
    markers += text;
  }
  if (path.eventCollection) {
    if (!markers.empty()) markers += '&';
    markers += kEventMarker;
  }
  if (markers.empty()) return path.node;
  return path.node + kMarkerSeparator + markers;
}

std::optional<InterfacePath> ParseInterfacePath(std::string_view decorated) {
  InterfacePath path;
  const std::size_t separator = decorated.find(kMarkerSeparator);
  path.node = std::string(decorated.substr(0, separator));
  if (!HidrawName(path.node)) return std::nullopt;
  if (separator == std::string_view::npos) return path;

  std::string_view markers = decorated.substr(separator + 1);
  if (markers.empty()) return std::nullopt;
  for (;;) {
    const std::size_t end = markers.find('&');
    const std::string_view marker = markers.substr(0, end);
    if (marker == kEventMarker && !path.eventCollection) {
      path.eventCollection = true;
    } else if (marker.size() == 5 && marker.starts_with(kInterfaceMarker) &&
               path.interfaceNumber < 0 && HexValue(marker[3]) >= 0 && HexValue(marker[4]) >= 0) {
      path.interfaceNumber = HexValue(marker[3]) * 16 + HexValue(marker[4]);
    } else {
      return std::nullopt;
    }
    if (end == std::string_view::npos) break;
    markers = markers.substr(end + 1);
    if (markers.empty()) return std::nullopt;  // a trailing '&'
  }
  return path;
}

}  // namespace tarsel
