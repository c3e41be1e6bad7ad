// A UI-thread stand-in for programs without a window: numbered messages, posted tasks and timers,
// all run on the thread that calls Run().
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "platform/message_sink.h"

namespace tarsel {

class MessageLoop final : public MessageSink {
 public:
  using Handler = std::function<intptr_t(uint32_t message, uintptr_t wParam, intptr_t lParam)>;
  using Task = std::function<void()>;

  // The handler runs on the loop's thread for every message posted or sent.
  void SetHandler(Handler handler);

  void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  // From another thread: queues and waits for the handler's result (0 when the loop is not
  // running). On the loop's own thread: calls the handler directly.
  intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

  // Queues a task from any thread.
  void PostTask(Task task);
  // Runs task on the loop's thread after delay.
  void Schedule(std::chrono::milliseconds delay, Task task);

  // Runs until Quit(), or until done() holds, or until limit passes; returns whether it ended by
  // Quit() or done().
  bool Run(std::chrono::milliseconds limit = std::chrono::milliseconds::max(),
           const std::function<bool()>& done = {});
  void Quit();

 private:
  using TimePoint = std::chrono::steady_clock::time_point;

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Task> tasks_;
  std::multimap<TimePoint, Task> timers_;
  bool quit_ = false;
  bool running_ = false;
  Handler handler_;
  std::thread::id loopThread_;
};

}  // namespace tarsel
