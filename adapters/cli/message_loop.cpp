#include "message_loop.h"

#include <future>
#include <memory>

namespace tarsel {

namespace {
constexpr std::chrono::milliseconds kDonePoll{10};
}  // namespace

void MessageLoop::SetHandler(Handler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

void MessageLoop::Post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  PostTask([this, message, wParam, lParam] {
    Handler handler;
    {
      std::lock_guard lock(mutex_);
      handler = handler_;
    }
    if (handler) handler(message, wParam, lParam);
  });
}

intptr_t MessageLoop::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  Handler handler;
  bool onLoopThread;
  {
    std::lock_guard lock(mutex_);
    handler = handler_;
    onLoopThread = loopThread_ == std::this_thread::get_id();
  }
  if (onLoopThread) return handler ? handler(message, wParam, lParam) : 0;
  auto result = std::make_shared<std::promise<intptr_t>>();
  std::future<intptr_t> future = result->get_future();
  PostTask([handler, result, message, wParam, lParam] {
    result->set_value(handler ? handler(message, wParam, lParam) : 0);
  });
  // A loop that is not running (never started, or already ended) would leave the sender waiting
  // for ever: give up with 0 once it is seen stopped.
  while (future.wait_for(kDonePoll) != std::future_status::ready) {
    std::lock_guard lock(mutex_);
    if (!running_) return 0;
  }
  return future.get();
}

void MessageLoop::PostTask(Task task) {
  std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(task));
  wake_.notify_all();
}

void MessageLoop::Schedule(std::chrono::milliseconds delay, Task task) {
  std::lock_guard lock(mutex_);
  timers_.emplace(std::chrono::steady_clock::now() + delay, std::move(task));
  wake_.notify_all();
}

void MessageLoop::Quit() {
  std::lock_guard lock(mutex_);
  quit_ = true;
  wake_.notify_all();
}

bool MessageLoop::Run(std::chrono::milliseconds limit, const std::function<bool()>& done) {
  const TimePoint now = std::chrono::steady_clock::now();
  const TimePoint end = limit >= std::chrono::hours(24 * 365) ? TimePoint::max() : now + limit;
  std::unique_lock lock(mutex_);
  loopThread_ = std::this_thread::get_id();
  quit_ = false;
  running_ = true;
  // Every return below leaves with the lock held.
  struct Stopped {
    bool& running;
    ~Stopped() { running = false; }
  } stopped{running_};
  for (;;) {
    if (quit_) return true;
    if (done) {
      lock.unlock();
      const bool finished = done();
      lock.lock();
      if (finished) return true;
    }
    const TimePoint current = std::chrono::steady_clock::now();
    Task task;
    if (!tasks_.empty()) {
      task = std::move(tasks_.front());
      tasks_.pop_front();
    } else if (!timers_.empty() && timers_.begin()->first <= current) {
      task = std::move(timers_.begin()->second);
      timers_.erase(timers_.begin());
    } else {
      if (current >= end) return false;
      TimePoint wakeAt = end;
      if (!timers_.empty() && timers_.begin()->first < wakeAt) wakeAt = timers_.begin()->first;
      // done() may depend on things outside the loop: look again every few milliseconds.
      if (done && current + kDonePoll < wakeAt) wakeAt = current + kDonePoll;
      wake_.wait_until(lock, wakeAt);
      continue;
    }
    lock.unlock();
    task();
    lock.lock();
  }
}

}  // namespace tarsel
