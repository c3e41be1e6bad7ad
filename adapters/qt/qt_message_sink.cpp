#include "qt_message_sink.h"

#include <QMetaObject>
#include <QThread>
#include <condition_variable>
#include <mutex>

namespace tarsel {

struct QtMessageSink::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  bool closed = false;
};

QtMessageSink::QtMessageSink(WindowHandler& handler, QObject& receiver)
    : handler_(handler), receiver_(&receiver), shared_(std::make_shared<Shared>()) {}

QtMessageSink::~QtMessageSink() {
  Close();
}

void QtMessageSink::Close() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->closed = true;
  }
  shared_->changed.notify_all();
}

void QtMessageSink::Post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  QObject* receiver = receiver_.data();
  if (!receiver) return;
  std::shared_ptr<Shared> shared = shared_;
  WindowHandler* handler = &handler_;
  // With the receiver as context, the call is dropped if the window goes before it runs.
  QMetaObject::invokeMethod(
      receiver,
      [shared, handler, message, wParam, lParam] {
        {
          std::lock_guard lock(shared->mutex);
          if (shared->closed) return;
        }
        handler->OnMessage(message, wParam, lParam);
      },
      Qt::QueuedConnection);
}

intptr_t QtMessageSink::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  QObject* receiver = receiver_.data();
  if (!receiver) return 0;
  if (QThread::currentThread() == receiver->thread()) {
    return handler_.OnMessage(message, wParam, lParam);
  }
  struct Call {
    bool done = false;
    intptr_t result = 0;
  };
  auto call = std::make_shared<Call>();
  std::shared_ptr<Shared> shared = shared_;
  WindowHandler* handler = &handler_;
  QMetaObject::invokeMethod(
      receiver,
      [shared, handler, call, message, wParam, lParam] {
        {
          std::lock_guard lock(shared->mutex);
          if (shared->closed) return;
        }
        const intptr_t result = handler->OnMessage(message, wParam, lParam);
        {
          std::lock_guard lock(shared->mutex);
          call->result = result;
          call->done = true;
        }
        shared->changed.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(shared->mutex);
  shared->changed.wait(lock, [&] { return call->done || shared->closed; });
  return call->done ? call->result : 0;
}

}  // namespace tarsel
