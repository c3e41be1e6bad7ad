// What the HID adapter needs to know from an interface's report descriptor: whether its reports
// are numbered, and which report ids each top-level collection's input reports carry.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarsel {

struct TopLevelCollection {
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  std::vector<uint8_t> inputReportIds;  // in order of first appearance, no duplicates
};

struct ReportDescriptorInfo {
  bool usesReportIds = false;  // reports carry their id in byte 0 on the wire
  std::vector<TopLevelCollection> collections;
  bool truncated = false;  // the descriptor ended inside an item; what came before is kept

  bool HasInputReportId(uint8_t reportId) const;
};

// Never reads past the end of descriptor; malformed input yields what could be parsed.
ReportDescriptorInfo ParseReportDescriptor(std::span<const uint8_t> descriptor);

}  // namespace tarsel
