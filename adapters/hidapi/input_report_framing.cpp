#include "input_report_framing.h"

#include "interface_path.h"

namespace tarsel {

InputReportFraming InputReportFraming::For(const std::optional<ReportDescriptorInfo>& descriptor,
                                           bool eventCollectionPath) {
  InputReportFraming framing;
  framing.numbered = !descriptor || descriptor->usesReportIds;
  // Unnumbered interfaces have no report id 4 to keep.
  framing.eventOnly = eventCollectionPath && descriptor && descriptor->usesReportIds;
  return framing;
}

std::optional<std::size_t> InputReportFraming::Accept(std::span<uint8_t> buffer,
                                                      std::size_t received) const {
  if (received == 0 || buffer.empty()) return std::nullopt;
  if (!numbered) {
    buffer[0] = 0;
    return received + 1;
  }
  if (eventOnly && buffer[0] != kEventCollectionReportId) return std::nullopt;
  return received;
}

}  // namespace tarsel
