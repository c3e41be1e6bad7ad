// The real clock: steady_clock and this_thread. Header-only, no toolkit.
#pragma once

#include <thread>

#include "platform/clock.h"

namespace tarsel {

class SystemClock final : public Clock {
 public:
  void Sleep(std::chrono::milliseconds duration) override {
    if (duration.count() <= 0) {
      std::this_thread::yield();
    } else {
      std::this_thread::sleep_for(duration);
    }
  }
  std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }
};

}  // namespace tarsel
