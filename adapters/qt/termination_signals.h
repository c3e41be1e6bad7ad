// SIGTERM, SIGINT and SIGHUP as an orderly end of the program: the signal is noted by an
// async-signal-safe handler and acted on from the UI thread's event loop, so the window runs its
// usual shutdown (tray icon removed, listener stopped, interfaces closed) instead of the process
// dying wherever it was.
#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace tarsel {

class TerminationSignals {
 public:
  // Installs the handlers; onSignal runs on the thread that owns the event loop, once per signal
  // delivered while it runs. Make it once, after the QApplication.
  explicit TerminationSignals(std::function<void()> onSignal);
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // False when the handlers could not be installed: the signals then end the process at once.
  bool Installed() const { return notifier_ != nullptr; }

 private:
  void Drain();

  std::function<void()> onSignal_;
  int readFd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tarsel
