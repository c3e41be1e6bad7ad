// What the main window needs from the keyboard: open the two interfaces and start the threads
// that read them, hand over what was read, the few single reads the window does itself, the
// whole-device flows of its buttons, and an orderly stop.
#pragma once

#include "config/configuration.h"
#include "platform/device_change.h"
#include "platform/message_sink.h"

namespace tarsel {

class KeyboardSession {
 public:
  virtual ~KeyboardSession() = default;

  // Tells the session where its results go, once, before anything is opened.
  virtual void Bind(MessageSink& /*window*/, Configuration& /*config*/) {}

  // Opens the command interface and starts the initial read, which ends by delivering
  // WM_DEVICE_STATE_READY (lParam 0) to window. False when the keyboard's command interface is
  // absent (nothing is started).
  virtual bool OpenAndStartInitialRead(MessageSink& window) = 0;
  // Opens the event interface and starts the listener, which delivers WM_HOST_ACTION_KEY to
  // window. False when the event interface is absent.
  virtual bool OpenAndStartListener(MessageSink& window) = 0;
  virtual bool CommandInterfacePresent() const = 0;

  // Called on the UI thread when WM_DEVICE_STATE_READY arrives: moves what a reader thread read
  // (block, its saved copy, firmware version) into config. Does nothing when nothing is waiting.
  virtual void TakeDeviceState(Configuration& config) = 0;
  // Single reads into the block; a failed read leaves the field as it was.
  virtual bool ReadReportRate(DeviceStateBlock& block) = 0;
  virtual bool ReadLighting(DeviceStateBlock& block) = 0;
  virtual bool ReadKeyEnable(DeviceStateBlock& block) = 0;

  // Save: sends what differs between the block and its saved copy. True when all was confirmed.
  virtual bool WriteChanges(Configuration& config) = 0;
  // Default: factory reset of the keyboard followed by a full read on the calling thread.
  virtual bool RestoreFactorySettings(Configuration& config) = 0;

  // A keyboard interface appeared or went away (on the UI thread): reopen or close the link and,
  // after reopening, deliver WM_DEVICE_STATE_READY again.
  virtual void OnDeviceChange(DeviceChange /*change*/, MessageSink& /*window*/) {}

  // Stops the listener, waits for the reader threads and closes both interfaces.
  virtual void Shutdown() = 0;
};

}  // namespace tarsel
