#include "device/sequences/device_session.h"

#include "platform/messages.h"

namespace tarsel {

DeviceSession::DeviceSession(DeviceLink& link, Clock& clock, MessageSink& sink,
                             Configuration& config, Schedule schedule, SequenceOptions options)
    : link_(link),
      sink_(sink),
      config_(config),
      schedule_(std::move(schedule)),
      sequences_(link, clock, ackFlag_, options),
      worker_(sequences_, sink),
      listener_(link, ackFlag_, sink),
      self_(std::make_shared<DeviceSession*>(this)) {}

DeviceSession::~DeviceSession() {
  Shutdown();
}

bool DeviceSession::OpenCommandAndStartInitialRead() {
  if (!link_.OpenCommandInterface()) return false;
  if (!worker_.Started()) worker_.StartInitialRead(config_.block, config_.firmwareVersion);
  return true;
}

bool DeviceSession::OpenEventAndStartListener() {
  if (!link_.OpenEventInterface()) return false;
  if (!listener_.IsRunning()) listener_.StartListener();
  return true;
}

bool DeviceSession::TakeInitialReadResult() {
  return worker_.TakeResult(config_);
}

WriteResult DeviceSession::WriteChanges() {
  return sequences_.WriteChanges(config_.block, config_.savedBlock);
}

bool DeviceSession::ReadWholeDevice() {
  return sequences_.ReadWholeDevice(config_.block);
}

void DeviceSession::OnDeviceChange(DeviceChange change) {
  if (change == DeviceChange::Removal) {
    OnRemoval();
    return;
  }
  if (arrivalPending_) return;
  arrivalPending_ = true;
  std::weak_ptr<DeviceSession*> weak = self_;
  schedule_(kArrivalPause, [weak] {
    if (auto self = weak.lock()) (*self)->CompleteArrival();
  });
}

void DeviceSession::CompleteArrival() {
  arrivalPending_ = false;
  if (!link_.IsCommandInterfaceOpen() && link_.OpenCommandInterface()) {
    // Reads that fail leave the block as it was; the keyboard may have gone again already.
    bool ok;
    {
      auto lock = link_.LockCommands();
      ok = sequences_.Commands().GetVersion(config_.firmwareVersion);
    }
    if (ok && sequences_.ReadWholeDevice(config_.block)) {
      auto lock = link_.LockCommands();
      for (std::size_t page = 0; page < kColorPageCount; ++page) {
        if (!sequences_.Commands().ReadColorPage(config_.block, page)) break;
      }
    }
    sink_.Post(WM_DEVICE_STATE_READY, 0, 0);
  }
  if (!link_.IsEventInterfaceOpen() && link_.OpenEventInterface()) {
    if (!listener_.IsRunning()) listener_.StartListener();
    sink_.Post(WM_DEVICE_STATE_READY, 0, 0);
  }
}

void DeviceSession::OnRemoval() {
  listener_.RequestStop();
  worker_.Cancel();
  link_.CloseLink();  // wakes the listener's read at once
  listener_.Stop();
}

void DeviceSession::Shutdown() {
  self_.reset();
  OnRemoval();
}

}  // namespace tarsel
