#include "hidraw_filter.h"

#include <optional>

namespace tarsel {

namespace {

constexpr uint16_t kVendorId = 0x04D9;
constexpr uint16_t kProductId = 0xA1DD;

std::optional<uint32_t> ParseHex(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return value;
}

// "BBBB:VVVV:PPPP.NNNN": bus, vendor, product, instance.
bool ComponentMatches(std::string_view component, uint16_t vendorId, uint16_t productId) {
  const auto firstColon = component.find(':');
  if (firstColon == std::string_view::npos) return false;
  const auto secondColon = component.find(':', firstColon + 1);
  if (secondColon == std::string_view::npos) return false;
  const auto dot = component.find('.', secondColon + 1);
  if (dot == std::string_view::npos) return false;
  const auto bus = ParseHex(component.substr(0, firstColon));
  const auto vendor = ParseHex(component.substr(firstColon + 1, secondColon - firstColon - 1));
  const auto product = ParseHex(component.substr(secondColon + 1, dot - secondColon - 1));
  const auto instance = ParseHex(component.substr(dot + 1));
  return bus && instance && vendor == vendorId && product == productId;
}

}  // namespace

bool IsHidDevpathOf(std::string_view devpath, uint16_t vendorId, uint16_t productId) {
  while (!devpath.empty()) {
    const auto slash = devpath.find('/');
    const std::string_view component = devpath.substr(0, slash);
    if (ComponentMatches(component, vendorId, productId)) return true;
    if (slash == std::string_view::npos) break;
    devpath.remove_prefix(slash + 1);
  }
  return false;
}

HidrawAction ClassifyHidrawEvent(std::string_view action, std::string_view devpath) {
  if (!IsHidDevpathOf(devpath, kVendorId, kProductId)) return HidrawAction::Ignore;
  if (action == "add") return HidrawAction::Arrival;
  if (action == "remove") return HidrawAction::Removal;
  return HidrawAction::Ignore;
}

}  // namespace tarsel
