#include "hook/keyboard_hook.h"

namespace tarsel {

bool KeyboardHook::installhook(MessageSink& window, int mode) {
  removehook();
  const KeyCaptureMode captureMode =
      mode == 0 ? KeyCaptureMode::PressesOnly : KeyCaptureMode::PressesAndReleases;
  installed_ = source_.Install(window, captureMode);
  return installed_;
}

void KeyboardHook::removehook() {
  if (!installed_) return;
  source_.Remove();
  installed_ = false;
}

}  // namespace tarsel
