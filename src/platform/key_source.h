// Key source port: captured key events for a window that records keys.
//
// While installed, each key event reaching the application becomes WM_HOOK_KEY posted to the sink:
// wParam the Windows virtual-key code (0..255, left and right modifiers kept apart), lParam with
// bit 31 set for a release.
#pragma once

#include <cstdint>

#include "platform/message_sink.h"

namespace tarsel {

enum class KeyCaptureMode : uint8_t {
  PressesOnly = 0,         // one message per press, none for releases
  PressesAndReleases = 1,  // a message for every press and every release
};

inline constexpr intptr_t kKeyReleasedFlag = intptr_t{1} << 31;

class KeySource {
 public:
  virtual ~KeySource() = default;
  // True when capture started. At most one window holds the capture.
  virtual bool Install(MessageSink& sink, KeyCaptureMode mode) = 0;
  virtual void Remove() = 0;
};

}  // namespace tarsel
