// Tray port: the notification-area icon that keeps a hidden window reachable.
//
// Mouse activity over the icon reaches the owner as WM_TRAY_NOTIFY (wParam 0, lParam 0x0203 for a
// left double-click, 0x0204 for a right press) through the MessageSink given to Add.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/geometry.h"
#include "platform/message_sink.h"

namespace tarsel {

inline constexpr intptr_t kTrayLeftDoubleClick = 0x0203;
inline constexpr intptr_t kTrayRightButtonDown = 0x0204;

class Tray {
 public:
  virtual ~Tray() = default;
  // False when the desktop has no tray host: a hidden window could then never come back.
  virtual bool IsAvailable() const = 0;
  // Shows the icon with its tip; returns false when it could not be added.
  virtual bool Add(std::u16string_view tip, MessageSink& owner) = 0;
  virtual void Remove() = 0;
  virtual void ShowBalloon(std::u16string_view title, std::u16string_view text) = 0;
  // Pops up a one-item menu at the pointer; returns true when the item was chosen.
  virtual bool RunSingleItemMenu(std::u16string_view itemText) = 0;
};

}  // namespace tarsel
