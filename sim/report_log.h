// The simulator's record of every report, one line each, written as it happens:
// "<seconds since start, 6 decimals> <kind> <bytes as upper-case hex pairs>".
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace tarsel {

// Kinds: feature-set, feature-get, page-write, page-read, event.
std::string FormatLogLine(std::chrono::nanoseconds sinceStart, std::string_view kind,
                          std::span<const uint8_t> bytes);

class ReportLog {
 public:
  // A log that writes nothing.
  ReportLog() = default;
  // Opens (truncates) the file; Ok() tells whether that worked.
  ReportLog(const std::string& path, std::chrono::steady_clock::time_point start);

  bool Ok() const { return file_ != nullptr; }
  void Write(std::string_view kind, std::span<const uint8_t> bytes);

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::chrono::steady_clock::time_point start_{};
};

}  // namespace tarsel
