// Runs the real tarsel-kbdsim (or its "press" subcommand) as a child process for tests, with its
// own XDG_RUNTIME_DIR. Every wait is bounded so that a broken simulator fails a test, not the run.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tarsel::testing {

inline constexpr std::chrono::seconds kProcessBound{10};

class KbdsimProcess {
 public:
  KbdsimProcess() = default;
  KbdsimProcess(const KbdsimProcess&) = delete;
  KbdsimProcess& operator=(const KbdsimProcess&) = delete;
  ~KbdsimProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    CloseFd(stdout_);
    CloseFd(stderr_);
  }

  // Starts the program with args; XDG_RUNTIME_DIR is set to runtimeDir for it alone.
  bool Spawn(const std::string& runtimeDir, const std::vector<std::string>& args) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return false;
    if (pipe2(err, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

    std::vector<std::string> argStrings = {TARSEL_KBDSIM_PATH};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<std::string> envStrings = {"XDG_RUNTIME_DIR=" + runtimeDir};
    for (char** e = environ; *e != nullptr; ++e) {
      if (std::string(*e).rfind("XDG_RUNTIME_DIR=", 0) != 0) envStrings.emplace_back(*e);
    }
    std::vector<char*> argv, envp;
    for (auto& s : argStrings) argv.push_back(s.data());
    for (auto& s : envStrings) envp.push_back(s.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    const int result = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    stdout_ = out[0];
    stderr_ = err[0];
    if (result != 0) pid_ = -1;
    return result == 0;
  }

  // Starts the simulator and waits for its ready line; false when it did not get ready.
  bool Start(const std::string& runtimeDir, const std::vector<std::string>& args) {
    if (!Spawn(runtimeDir, args)) return false;
    readyLine_ = ReadLine(stdout_);
    return readyLine_.rfind("tarsel-kbdsim: serving in ", 0) == 0;
  }

  const std::string& ReadyLine() const { return readyLine_; }
  pid_t Pid() const { return pid_; }
  void Signal(int signal) const { kill(pid_, signal); }

  // The exit status, or nullopt when the process has not ended within the bound.
  std::optional<int> WaitExit(std::chrono::milliseconds bound = kProcessBound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
      int status = 0;
      const pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      if (done < 0 || std::chrono::steady_clock::now() > deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  // Everything the process wrote to stderr (after it ended).
  std::string Stderr() const {
    std::string text;
    char buffer[512];
    ssize_t n;
    while ((n = read(stderr_, buffer, sizeof buffer)) > 0) text.append(buffer, n);
    return text;
  }

 private:
  static std::string ReadLine(int fd) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + kProcessBound;
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char c;
      if (read(fd, &c, 1) != 1) break;
      if (c == '\n') break;
      line += c;
    }
    return line;
  }
  static void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
  }

  pid_t pid_ = -1;
  int stdout_ = -1;
  int stderr_ = -1;
  std::string readyLine_;
};

// Runs the program to its end; the exit status, or nullopt when it did not end in time.
inline std::optional<int> RunKbdsim(const std::string& runtimeDir,
                                    const std::vector<std::string>& args,
                                    std::string* errors = nullptr) {
  KbdsimProcess process;
  if (!process.Spawn(runtimeDir, args)) return std::nullopt;
  const auto status = process.WaitExit();
  if (errors != nullptr) *errors = process.Stderr();
  return status;
}

}  // namespace tarsel::testing
