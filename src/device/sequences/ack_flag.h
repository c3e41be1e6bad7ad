// The acknowledgement flag: set by the listener when the keyboard confirms a write, cleared and
// polled by the write sequence.
#pragma once

#include <atomic>

namespace tarsel {

class AckFlag {
 public:
  void Set() { flag_.store(true, std::memory_order_release); }
  void Clear() { flag_.store(false, std::memory_order_release); }
  bool IsSet() const { return flag_.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> flag_{false};
};

}  // namespace tarsel
