// Key capture from the key events that reach the application while one of its windows has focus.
#pragma once

#include <QObject>

#include "platform/key_source.h"

namespace tarsel {

class QtKeySource final : public QObject, public KeySource {
 public:
  QtKeySource();
  ~QtKeySource() override;
  bool Install(MessageSink& sink, KeyCaptureMode mode) override;
  void Remove() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MessageSink* sink_ = nullptr;
  KeyCaptureMode mode_ = KeyCaptureMode::PressesOnly;
};

}  // namespace tarsel
