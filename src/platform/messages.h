// Window messages with fixed numbers, delivered by the UI port on the UI thread.
#pragma once

#include <cstdint>

namespace tarsel {

enum WindowMessage : uint32_t {
  WM_TRAY_NOTIFY = 1029,
  WM_NO_DEVICE_NOTICE = 1030,
  WM_HOOK_KEY = 1779,
  WM_LIST_EDIT_BEGIN = 1780,
  WM_LIST_EDIT_DONE = 1781,
  WM_HOST_ACTION_KEY = 1912,
  WM_SLIDER_CHANGED = 1913,
  WM_DEVICE_STATE_READY = 1915,
  WM_LIST_ITEM_CHANGED = 34880,
  WM_EDIT_END = 34881,
};

// The system's device-change notice, posted to the UI thread by the device watches and by a
// listener whose keyboard stopped answering; wParam carries the event.
inline constexpr uint32_t WM_DEVICECHANGE = 0x0219;
inline constexpr uintptr_t DBT_DEVICEARRIVAL = 0x8000;
inline constexpr uintptr_t DBT_DEVICEREMOVECOMPLETE = 0x8004;

}  // namespace tarsel
