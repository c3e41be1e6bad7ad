// installhook / removehook: key capture for the key-assignment dialog and the macro editor,
// over the key-source port. At most one window holds the capture at a time.
#pragma once

#include "platform/key_source.h"
#include "platform/message_sink.h"

namespace tarsel {

class KeyboardHook {
 public:
  explicit KeyboardHook(KeySource& source) : source_(source) {}
  ~KeyboardHook() { removehook(); }
  KeyboardHook(const KeyboardHook&) = delete;
  KeyboardHook& operator=(const KeyboardHook&) = delete;

  // mode 0: one WM_HOOK_KEY per press; mode 1: presses and releases (bit 31 of lParam).
  // Installing again first removes the earlier capture. True when capture started.
  bool installhook(MessageSink& window, int mode);
  // Safe to call when nothing is installed.
  void removehook();
  bool IsInstalled() const { return installed_; }

 private:
  KeySource& source_;
  bool installed_ = false;
};

}  // namespace tarsel
