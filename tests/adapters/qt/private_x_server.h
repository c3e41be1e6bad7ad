// A private Xvfb for a program that shows real windows: started before the toolkit connects,
// stopped when this goes away. DISPLAY and QT_QPA_PLATFORM point at it while it runs.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace tarsel::testing {

class PrivateXServer {
 public:
  PrivateXServer() {
    int fds[2];
    if (::pipe(fds) != 0) return;
    server_ = ::fork();
    if (server_ == 0) {
      ::close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(fds[1]);
    readFd_ = fds[0];
    if (server_ < 0) return;
    // Xvfb may write the number and its newline separately, and stops if the pipe is gone before
    // it is done: read up to the newline, and keep our end open while the server runs. A server
    // that says nothing within the bound counts as not started.
    std::string number;
    char c = 0;
    pollfd ready{readFd_, POLLIN, 0};
    while (number.size() < 16 && ::poll(&ready, 1, kStartTimeoutMs) == 1 &&
           ::read(readFd_, &c, 1) == 1 && c != '\n') {
      number.push_back(c);
    }
    if (number.empty() || c != '\n') return;
    display_ = ":" + number;
    ::setenv("DISPLAY", display_.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  ~PrivateXServer() {
    if (server_ > 0) {
      ::kill(server_, SIGTERM);
      ::waitpid(server_, nullptr, 0);
    }
    if (readFd_ >= 0) ::close(readFd_);
  }
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  // False when Xvfb could not be started.
  bool Running() const { return !display_.empty(); }

 private:
  static constexpr int kStartTimeoutMs = 10000;
  pid_t server_ = -1;
  int readFd_ = -1;
  std::string display_;
};

}  // namespace tarsel::testing
