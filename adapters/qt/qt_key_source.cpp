#include "qt_key_source.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "key_code_map.h"
#include "platform/messages.h"

namespace tarsel {

QtKeySource::QtKeySource() = default;

QtKeySource::~QtKeySource() {
  Remove();
}

bool QtKeySource::Install(MessageSink& sink, KeyCaptureMode mode) {
  Remove();
  sink_ = &sink;
  mode_ = mode;
  QCoreApplication::instance()->installEventFilter(this);
  return true;
}

void QtKeySource::Remove() {
  if (!sink_) return;
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
  sink_ = nullptr;
}

bool QtKeySource::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (sink_ && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Each key event reaches the filter once per object on its way; take it at the window only.
    if (!watched->isWidgetType() || key->isAutoRepeat()) return false;
    const bool release = type == QEvent::KeyRelease;
    if (release && mode_ == KeyCaptureMode::PressesOnly) return true;
    if (const uint8_t vk = VirtualKeyFor(key->key(), key->nativeScanCode())) {
      sink_->Post(WM_HOOK_KEY, vk, release ? kKeyReleasedFlag : 0);
    }
    return true;  // captured keys do not also act on the window
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tarsel
