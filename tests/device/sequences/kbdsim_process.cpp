#include "device/sequences/kbdsim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace tarsel::testing {

namespace fs = std::filesystem;

namespace {

pid_t Spawn(const std::vector<std::string>& args, int stdoutFd) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

}  // namespace

SimFolder::SimFolder() {
  root_ = fs::temp_directory_path() /
          ("tarsel-seq-" + std::to_string(getpid()) + "-" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(root_);
  fs::permissions(root_, fs::perms::owner_all);
  if (const char* previous = std::getenv("XDG_RUNTIME_DIR")) {
    hadRuntimeDir_ = true;
    previousRuntimeDir_ = previous;
  }
  setenv("XDG_RUNTIME_DIR", root_.c_str(), 1);
}

SimFolder::~SimFolder() {
  if (hadRuntimeDir_) {
    setenv("XDG_RUNTIME_DIR", previousRuntimeDir_.c_str(), 1);
  } else {
    unsetenv("XDG_RUNTIME_DIR");
  }
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

KbdsimProcess::KbdsimProcess(const fs::path& folder, const fs::path& log,
                             std::vector<std::string> options)
    : folder_(folder), log_(log) {
  std::vector<std::string> args = {TARSEL_KBDSIM, "--dir", folder.string(), "--log", log.string()};
  args.insert(args.end(), options.begin(), options.end());
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return;
  pid_ = Spawn(args, pipeFds[1]);
  close(pipeFds[1]);
  // Waits for "tarsel-kbdsim: serving in DIR"; the bound only guards against a hang.
  std::string output;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (pid_ > 0 && output.find('\n') == std::string::npos &&
         std::chrono::steady_clock::now() < deadline) {
    pollfd fd{pipeFds[0], POLLIN, 0};
    if (poll(&fd, 1, 100) <= 0) continue;
    char buffer[256];
    const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    output.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipeFds[0]);
  ready_ = output.find("serving in") != std::string::npos;
}

KbdsimProcess::~KbdsimProcess() {
  Stop();
}

void KbdsimProcess::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

void KbdsimProcess::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

bool KbdsimProcess::WaitForExit() {
  for (int i = 0; i < 1000 && pid_ > 0; ++i) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return pid_ <= 0;
}

bool KbdsimProcess::Press(uint8_t keyCode) const {
  const pid_t pid =
      Spawn({TARSEL_KBDSIM, "press", std::to_string(keyCode), "--dir", folder_.string()}, -1);
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

std::vector<LoggedReport> KbdsimProcess::Log() const {
  std::vector<LoggedReport> reports;
  std::ifstream in(log_);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    LoggedReport report;
    fields >> report.seconds >> report.kind;
    std::string byte;
    while (fields >> byte)
      report.bytes.push_back(static_cast<uint8_t>(std::stoul(byte, nullptr, 16)));
    reports.push_back(std::move(report));
  }
  return reports;
}

std::vector<std::vector<uint8_t>> KbdsimProcess::FeatureSets(std::size_t from) const {
  std::vector<std::vector<uint8_t>> sets;
  const auto reports = Log();
  for (std::size_t i = from; i < reports.size(); ++i) {
    if (reports[i].kind == "feature-set" && reports[i].bytes.size() == 9) {
      sets.push_back({reports[i].bytes[1], reports[i].bytes[2], reports[i].bytes[3]});
    }
  }
  return sets;
}

}  // namespace tarsel::testing
