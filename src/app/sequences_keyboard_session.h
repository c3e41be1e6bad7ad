// The keyboard session of the running program: the device link's session (initial read,
// listener, write sequence, reconnection) plus the single reads the main window does itself.
#pragma once

#include <memory>

#include "app/keyboard_session.h"
#include "device/device_link.h"
#include "device/sequences/device_session.h"
#include "platform/clock.h"

namespace tarsel {

class SequencesKeyboardSession final : public KeyboardSession {
 public:
  SequencesKeyboardSession(DeviceLink& link, Clock& clock, DeviceSession::Schedule schedule);
  ~SequencesKeyboardSession() override;

  void Bind(MessageSink& window, Configuration& config) override;
  bool OpenAndStartInitialRead(MessageSink& window) override;
  bool OpenAndStartListener(MessageSink& window) override;
  bool CommandInterfacePresent() const override;
  void TakeDeviceState(Configuration& config) override;
  bool ReadReportRate(DeviceStateBlock& block) override;
  bool ReadLighting(DeviceStateBlock& block) override;
  bool ReadKeyEnable(DeviceStateBlock& block) override;
  bool WriteChanges(Configuration& config) override;
  bool RestoreFactorySettings(Configuration& config) override;
  void OnDeviceChange(DeviceChange change, MessageSink& window) override;
  void Shutdown() override;

 private:
  DeviceLink& link_;
  Clock& clock_;
  DeviceSession::Schedule schedule_;
  std::unique_ptr<DeviceSession> session_;  // made when the window binds
};

}  // namespace tarsel
