// Clock port: protocol pauses and time stamps, so tests can record pauses instead of sleeping.
#pragma once

#include <chrono>

namespace tarsel {

class Clock {
 public:
  virtual ~Clock() = default;
  // Pauses the calling thread; a pause of 0 yields the rest of the time slice.
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
  virtual std::chrono::steady_clock::time_point Now() = 0;
};

}  // namespace tarsel
