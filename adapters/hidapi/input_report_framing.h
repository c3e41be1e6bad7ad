// How reports read from a hidraw node become reports as the device link expects them: report id
// in byte 0 (0 for unnumbered reports, which hidraw delivers without it), and on an interface
// opened for its event collection only the reports with id 4.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "report_descriptor.h"

namespace tarsel {

struct InputReportFraming {
  bool numbered = false;
  bool eventOnly = false;

  // descriptor: nullopt when it could not be read; reports are then taken as numbered, which
  // leaves the bytes as the node delivers them.
  static InputReportFraming For(const std::optional<ReportDescriptorInfo>& descriptor,
                                bool eventCollectionPath);

  // Where the node's bytes go in the caller's buffer: after a leading 0 for unnumbered reports.
  std::size_t PayloadOffset() const { return numbered ? 0 : 1; }
  // After received bytes landed at PayloadOffset(): the report's length as the link sees it,
  // or nullopt when the report is to be skipped.
  std::optional<std::size_t> Accept(std::span<uint8_t> buffer, std::size_t received) const;
};

}  // namespace tarsel
