#include "termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <utility>

namespace tarsel {

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach nothing but process-wide state: the write end of the pipe it wakes
// the event loop through. Lock-free, so reading it in the handler is async-signal-safe.
std::atomic<int> wakeFd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnTerminationSignal(int) {
  const int savedErrno = errno;
  const int fd = wakeFd.load(std::memory_order_relaxed);
  if (fd >= 0) {
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost by dropping this one.
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
  }
  errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  int expected = -1;
  if (!wakeFd.compare_exchange_strong(expected, fds[1])) {  // only one instance may own them
    ::close(fds[0]);
    ::close(fds[1]);
    return;
  }
  readFd_ = fds[0];
  notifier_ = std::make_unique<QSocketNotifier>(readFd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                   [this] { Drain(); });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // the program's own reads and waits go on undisturbed
  for (int s : kSignals) ::sigaction(s, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  if (!notifier_) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int s : kSignals) ::sigaction(s, &action, nullptr);
  notifier_.reset();
  const int writeFd = wakeFd.exchange(-1);
  ::close(writeFd);
  ::close(readFd_);
}

void TerminationSignals::Drain() {
  std::array<char, 16> bytes{};
  bool any = false;
  while (::read(readFd_, bytes.data(), bytes.size()) > 0) any = true;
  if (any && onSignal_) onSignal_();
}

}  // namespace tarsel
