#include "report_descriptor.h"

#include <algorithm>

namespace tarsel {
namespace {

// Item types and tags of short items (HID 1.11, 6.2.2).
constexpr uint8_t kTypeMain = 0;
constexpr uint8_t kTypeGlobal = 1;
constexpr uint8_t kTypeLocal = 2;
constexpr uint8_t kMainInput = 0x8;
constexpr uint8_t kMainCollection = 0xA;
constexpr uint8_t kMainEndCollection = 0xC;
constexpr uint8_t kGlobalUsagePage = 0x0;
constexpr uint8_t kGlobalReportId = 0x8;
constexpr uint8_t kGlobalPush = 0xA;
constexpr uint8_t kGlobalPop = 0xB;
constexpr uint8_t kLocalUsage = 0x0;
constexpr uint8_t kLongItemPrefix = 0xFE;
// Deeper global stacks than this are not seen in real devices; ignore further pushes.
constexpr std::size_t kMaxPushDepth = 16;

struct GlobalState {
  uint16_t usagePage = 0;
  uint8_t reportId = 0;
};

}  // namespace

bool ReportDescriptorInfo::HasInputReportId(uint8_t reportId) const {
  return std::any_of(collections.begin(), collections.end(), [&](const TopLevelCollection& c) {
    return std::find(c.inputReportIds.begin(), c.inputReportIds.end(), reportId) !=
           c.inputReportIds.end();
  });
}

ReportDescriptorInfo ParseReportDescriptor(std::span<const uint8_t> descriptor) {
  ReportDescriptorInfo info;
  GlobalState global;
  std::vector<GlobalState> pushed;
  // The first local usage before a collection names it.
  bool haveUsage = false;
  uint16_t usage = 0;
  uint16_t usagePageOfUsage = 0;
  bool usageHasPage = false;
  int depth = 0;

  std::size_t pos = 0;
  while (pos < descriptor.size()) {
    const uint8_t prefix = descriptor[pos];
    if (prefix == kLongItemPrefix) {
      if (pos + 1 >= descriptor.size()) {
        info.truncated = true;
        break;
      }
      const std::size_t length = 3 + descriptor[pos + 1];
      if (pos + length > descriptor.size()) {
        info.truncated = true;
        break;
      }
      pos += length;
      continue;
    }
    const std::size_t size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
    const uint8_t type = (prefix >> 2) & 0x3;
    const uint8_t tag = prefix >> 4;
    if (pos + 1 + size > descriptor.size()) {
      info.truncated = true;
      break;
    }
    uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value |= uint32_t(descriptor[pos + 1 + i]) << (8 * i);
    pos += 1 + size;

    if (type == kTypeGlobal) {
      switch (tag) {
        case kGlobalUsagePage:
          global.usagePage = uint16_t(value);
          break;
        case kGlobalReportId:
          global.reportId = uint8_t(value);
          info.usesReportIds = true;
          break;
        case kGlobalPush:
          if (pushed.size() < kMaxPushDepth) pushed.push_back(global);
          break;
        case kGlobalPop:
          if (!pushed.empty()) {
            global = pushed.back();
            pushed.pop_back();
          }
          break;
        default:
          break;
      }
    } else if (type == kTypeLocal) {
      if (tag == kLocalUsage && !haveUsage) {
        haveUsage = true;
        // A four-byte usage carries its own page in the high half.
        usage = uint16_t(value);
        usageHasPage = size == 4;
        usagePageOfUsage = uint16_t(value >> 16);
      }
    } else if (type == kTypeMain) {
      if (tag == kMainCollection) {
        if (depth == 0) {
          TopLevelCollection collection;
          collection.usagePage = usageHasPage ? usagePageOfUsage : global.usagePage;
          collection.usage = usage;
          info.collections.push_back(std::move(collection));
        }
        ++depth;
      } else if (tag == kMainEndCollection) {
        if (depth > 0) --depth;
      } else if (tag == kMainInput && depth > 0 && !info.collections.empty()) {
        auto& ids = info.collections.back().inputReportIds;
        if (global.reportId != 0 &&
            std::find(ids.begin(), ids.end(), global.reportId) == ids.end()) {
          ids.push_back(global.reportId);
        }
      }
      // Local items apply to one main item only.
      haveUsage = false;
      usage = 0;
      usageHasPage = false;
    }
  }
  return info;
}

}  // namespace tarsel
