// Device-change source port: tells a window that keyboards were plugged in or removed.
//
// Notices arrive as posted WM_DEVICECHANGE messages with wParam DBT_DEVICEARRIVAL or
// DBT_DEVICEREMOVECOMPLETE (lParam 0); they only say that something changed, the receiver looks
// for its keyboard again.
#pragma once

#include <cstdint>

#include "platform/message_sink.h"

namespace tarsel {

inline constexpr uint32_t WM_DEVICECHANGE = 0x0219;
inline constexpr uintptr_t DBT_DEVICEARRIVAL = 0x8000;
inline constexpr uintptr_t DBT_DEVICEREMOVECOMPLETE = 0x8004;

class DeviceChangeSource {
 public:
  virtual ~DeviceChangeSource() = default;
  // Starts posting notices to sink; false when the source cannot watch devices.
  virtual bool Register(MessageSink& sink) = 0;
  virtual void Unregister() = 0;
};

}  // namespace tarsel
