#include "report_log.h"

namespace tarsel {

std::string FormatLogLine(std::chrono::nanoseconds sinceStart, std::string_view kind,
                          std::span<const uint8_t> bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(sinceStart).count();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%lld.%06lld", static_cast<long long>(micros / 1'000'000),
                static_cast<long long>(micros % 1'000'000));
  std::string line = stamp;
  line += ' ';
  line += kind;
  for (uint8_t byte : bytes) {
    line += ' ';
    line += kHex[byte >> 4];
    line += kHex[byte & 0x0F];
  }
  line += '\n';
  return line;
}

ReportLog::ReportLog(const std::string& path, std::chrono::steady_clock::time_point start)
    : file_(std::fopen(path.c_str(), "we")), start_(start) {}

void ReportLog::Write(std::string_view kind, std::span<const uint8_t> bytes) {
  if (!file_) return;
  const std::string line = FormatLogLine(std::chrono::steady_clock::now() - start_, kind, bytes);
  std::fputs(line.c_str(), file_.get());
  // Readers follow the file while the simulator runs, and a kill must not lose lines.
  std::fflush(file_.get());
}

}  // namespace tarsel
