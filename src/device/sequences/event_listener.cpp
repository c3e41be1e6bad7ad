#include "device/sequences/event_listener.h"

#include "device/feature_report.h"
#include "platform/messages.h"

namespace tarsel {

EventListener::EventListener(DeviceLink& link, AckFlag& ackFlag, MessageSink& sink)
    : link_(link), ackFlag_(ackFlag), sink_(sink) {}

EventListener::~EventListener() {
  Stop();
}

bool EventListener::StartListener() {
  if (IsRunning()) return false;
  if (thread_.joinable()) thread_.join();  // a listener that ended on its own
  {
    std::lock_guard lock(mutex_);
    stop_ = false;
  }
  running_.store(true, std::memory_order_release);
  thread_ = std::thread(&EventListener::Run, this);
  return true;
}

void EventListener::RequestStop() {
  std::lock_guard lock(mutex_);
  stop_ = true;
  stopChanged_.notify_all();
}

void EventListener::Stop() {
  RequestStop();
  if (thread_.joinable()) thread_.join();
}

void EventListener::PauseUnlessStopped() {
  std::unique_lock lock(mutex_);
  stopChanged_.wait_for(lock, kReadWait, [&] { return stop_; });
}

bool EventListener::StopRequested() {
  std::lock_guard lock(mutex_);
  return stop_;
}

void EventListener::Run() {
  // A single failure may come from the interface being replaced under the read; a second one
  // in a row means the keyboard is gone.
  int failuresInRow = 0;
  while (!StopRequested()) {
    // One read at a time on one buffer; only a completed report is acted on.
    EventReport report{kEventReportId, 0, 0, 0};
    const HidStatus status = link_.ReadEvent(report, kReadWait);
    if (status == HidStatus::Failed) {
      if (StopRequested()) break;  // our own close, not the keyboard's
      if (++failuresInRow >= 2) {
        // Posted, never handled here: closing the link is the UI thread's business.
        sink_.Post(kDeviceChangeMessage, kDeviceChangeRemoval, 0);
        break;
      }
      // A vanished interface fails at once; wait as a read would instead of spinning.
      PauseUnlessStopped();
      continue;
    }
    failuresInRow = 0;
    if (status == HidStatus::TimedOut) continue;
    if (report[1] == kEventTypeAcknowledge) {
      ackFlag_.Set();
      if (ackObserver_) ackObserver_();
    } else {
      // Posted, never sent: the UI thread may be waiting for an acknowledgement only this
      // thread can deliver.
      sink_.Post(WM_HOST_ACTION_KEY, report[2], 0);
    }
  }
  running_.store(false, std::memory_order_release);
}

}  // namespace tarsel
