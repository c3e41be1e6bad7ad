// The keyboard's side of the main window: start-up steps that open the interfaces and start the
// worker and the listener, the write sequence, reconnection on device changes and shutdown.
// Everything here runs on the UI thread, except the worker and listener threads it owns.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "config/configuration.h"
#include "device/device_link.h"
#include "device/sequences/ack_flag.h"
#include "device/sequences/event_listener.h"
#include "device/sequences/initial_read_worker.h"
#include "device/sequences/whole_device_sequences.h"
#include "platform/clock.h"
#include "platform/device_change.h"
#include "platform/message_sink.h"

namespace tarsel {

// The device change a kDeviceChangeMessage carries in its wParam.
constexpr DeviceChange DeviceChangeOfNotice(uintptr_t wParam) {
  return wParam == kDeviceChangeArrival ? DeviceChange::Arrival : DeviceChange::Removal;
}

class DeviceSession {
 public:
  // Runs task on the UI thread after delay (a window timer); used for the pause after an arrival
  // so that the UI keeps running meanwhile.
  using Schedule = std::function<void(std::chrono::milliseconds delay, std::function<void()> task)>;
  // Time the keyboard needs after plugging in before it answers.
  static constexpr std::chrono::milliseconds kArrivalPause{2000};

  DeviceSession(DeviceLink& link, Clock& clock, MessageSink& sink, Configuration& config,
                Schedule schedule, SequenceOptions options = {});
  ~DeviceSession();  // Shutdown()
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  // Start-up step 17: opens the command interface and starts the initial read from the block as
  // keymap.bin left it. False when the keyboard's command interface is absent.
  bool OpenCommandAndStartInitialRead();
  // Start-up step 18: opens the event interface and starts the listener. False when absent.
  bool OpenEventAndStartListener();

  // From the handler of WM_DEVICE_STATE_READY: adopts a finished initial read (block, its saved
  // copy, firmware version). False when the message came from elsewhere.
  bool TakeInitialReadResult();

  // The Save path: sends what differs from the saved copy (see WholeDeviceSequences).
  WriteResult WriteChanges();
  // The full re-read into the live block (after a factory reset); the saved copy stays.
  bool ReadWholeDevice();

  // The handler of device-change notifications. Arrival: after kArrivalPause, reopens what is
  // closed, re-reads the configuration, restarts the listener and posts WM_DEVICE_STATE_READY.
  // Several arrivals within the pause are handled once. Removal: stops the listener and closes
  // both interfaces. The listener posts kDeviceChangeMessage (kDeviceChangeRemoval) to the sink
  // when the event interface fails, since then no watch may report the removal; the UI thread
  // hands it here like the watch's notices (DeviceChangeOfNotice).
  void OnDeviceChange(DeviceChange change);

  // Stops the listener and the worker and closes the link; waits only for the threads to end,
  // which the closed link makes prompt.
  void Shutdown();

  // See EventListener::SetAckObserver; before the listener first starts.
  void SetAckObserver(std::function<void()> observer) {
    listener_.SetAckObserver(std::move(observer));
  }

  bool IsCommandInterfaceOpen() const { return link_.IsCommandInterfaceOpen(); }
  bool IsEventInterfaceOpen() const { return link_.IsEventInterfaceOpen(); }
  bool IsListenerRunning() const { return listener_.IsRunning(); }
  WholeDeviceSequences& Sequences() { return sequences_; }

 private:
  void CompleteArrival();
  void OnRemoval();

  DeviceLink& link_;
  MessageSink& sink_;
  Configuration& config_;
  Schedule schedule_;
  AckFlag ackFlag_;
  WholeDeviceSequences sequences_;
  InitialReadWorker worker_;
  EventListener listener_;
  bool arrivalPending_ = false;
  // Scheduled tasks hold a weak reference, so a timer firing after destruction does nothing.
  std::shared_ptr<DeviceSession*> self_;
};

}  // namespace tarsel
