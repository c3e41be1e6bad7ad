// Message sink port: how worker threads reach a window's handlers on the UI thread.
#pragma once

#include <cstdint>

namespace tarsel {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Queues the message for the UI thread and returns at once.
  virtual void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // Runs the handler on the UI thread and waits for its result. Never call it from a thread the
  // UI thread may be waiting on.
  virtual intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

}  // namespace tarsel
