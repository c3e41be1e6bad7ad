// Delivers numbered messages to a window handler on the UI thread, from any thread.
#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <memory>

#include "platform/message_sink.h"
#include "platform/window_host.h"

namespace tarsel {

class QtMessageSink final : public MessageSink {
 public:
  // receiver lives on the UI thread; messages are dropped once it is gone or Close() was called.
  QtMessageSink(WindowHandler& handler, QObject& receiver);
  ~QtMessageSink() override;

  void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  // On the UI thread: runs the handler at once. Elsewhere: waits for the UI thread to run it, and
  // gives up with 0 when the window closes first, so no worker hangs on a dead window.
  intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  // Refuses further messages and releases every waiting sender.
  void Close();

 private:
  struct Shared;
  WindowHandler& handler_;
  QPointer<QObject> receiver_;
  std::shared_ptr<Shared> shared_;
};

}  // namespace tarsel
