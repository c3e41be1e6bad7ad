// The listener: reads the keyboard's event reports while the connection lasts. Acknowledgements
// set the acknowledgement flag; key events are posted to the UI thread as WM_HOST_ACTION_KEY.
// An interface that stops working is reported as a removal, since no watch may ever say so.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "device/device_link.h"
#include "device/sequences/ack_flag.h"
#include "platform/message_sink.h"
#include "platform/messages.h"

namespace tarsel {

// The device-change notice the UI thread handles like the watch's own (message number and
// parameters of the platform's device-change message): arrival or removal of the keyboard.
inline constexpr uint32_t kDeviceChangeMessage = WM_DEVICECHANGE;
inline constexpr uintptr_t kDeviceChangeArrival = DBT_DEVICEARRIVAL;
inline constexpr uintptr_t kDeviceChangeRemoval = DBT_DEVICEREMOVECOMPLETE;

class EventListener {
 public:
  static constexpr std::chrono::milliseconds kReadWait{200};

  EventListener(DeviceLink& link, AckFlag& ackFlag, MessageSink& sink);
  ~EventListener();  // stops and joins
  EventListener(const EventListener&) = delete;
  EventListener& operator=(const EventListener&) = delete;

  // Also told of every acknowledgement, on the listener's thread (a monitor prints them). Set it
  // before the first StartListener.
  void SetAckObserver(std::function<void()> observer) { ackObserver_ = std::move(observer); }

  // Starts a listener unless one is running; clears the stop flag first. False when one runs.
  // The listener ends on its own when the event interface fails twice in a row without a stop
  // being asked for (a keyboard that died without a removal notice, such as a killed
  // simulator whose socket files stay): it then posts kDeviceChangeMessage with
  // kDeviceChangeRemoval, so that the UI thread closes the link and the next arrival reopens it.
  bool StartListener();
  // Sets the stop flag (listenerStop); the thread ends after its current wait of at most 200 ms,
  // or at once when the link is closed.
  void RequestStop();
  // RequestStop and wait for the thread to end.
  void Stop();
  bool IsRunning() const { return running_.load(std::memory_order_acquire); }

 private:
  void Run();
  bool StopRequested();
  // Waits up to kReadWait unless a stop is requested meanwhile.
  void PauseUnlessStopped();

  DeviceLink& link_;
  AckFlag& ackFlag_;
  MessageSink& sink_;
  std::function<void()> ackObserver_;
  std::atomic<bool> running_{false};
  std::mutex mutex_;  // guards stop_ for the pause's condition variable
  std::condition_variable stopChanged_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace tarsel
