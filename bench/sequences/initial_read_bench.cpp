// Times the initial read against the simulator at 1 ms per page and states it as a ratio to the
// protocol's floor: 379 ms of mandated pauses plus 145 page transfers of 1 ms. Goal: at most 1.05.
//
// usage: initial_read_bench [RUNS]   (needs tarsel-kbdsim beside it)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/configuration.h"
#include "device/device_link.h"
#include "device/sequences/whole_device_sequences.h"
#include "platform/system_clock.h"
#include "sim_socket_transport.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr double kPauseFloorMs = 379.0;
constexpr double kPages = 145.0;
constexpr double kPageMs = 1.0;

// The simulator in a private folder; stopped with SIGTERM when the object goes.
class Simulator {
 public:
  explicit Simulator(const fs::path& folder) {
    std::vector<std::string> args = {
        (fs::read_symlink("/proc/self/exe").parent_path() / "tarsel-kbdsim").string(), "--dir",
        folder.string(), "--page-delay-ms", "1"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    pollfd ready{fds[0], POLLIN, 0};
    char line[256];
    ready_ = pid_ > 0 && poll(&ready, 1, 10000) == 1 && read(fds[0], line, sizeof line) > 0;
    close(fds[0]);
  }
  ~Simulator() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool Ready() const { return ready_; }

 private:
  pid_t pid_ = -1;
  bool ready_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const fs::path folder = fs::temp_directory_path() / ("tarsel-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  int status = 0;
  {
    Simulator simulator(folder);
    if (!simulator.Ready()) {
      std::fprintf(stderr, "initial_read_bench: the simulator did not start\n");
      fs::remove_all(folder);
      return 2;
    }
    tarsel::SimSocketTransport transport(folder.string());
    tarsel::DeviceLink link(transport);
    tarsel::SystemClock clock;
    tarsel::AckFlag ack;
    tarsel::WholeDeviceSequences sequences(link, clock, ack);
    auto config = std::make_unique<tarsel::Configuration>();
    if (!link.OpenCommandInterface()) {
      std::fprintf(stderr, "initial_read_bench: the simulator's command interface is absent\n");
      status = 2;
    }
    std::vector<double> times;
    for (int run = 0; status == 0 && run < runs; ++run) {
      const auto start = std::chrono::steady_clock::now();
      if (!sequences.InitialRead(config->block, config->firmwareVersion)) {
        std::fprintf(stderr, "initial_read_bench: the read failed\n");
        status = 1;
        break;
      }
      times.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
    }
    if (status == 0) {
      std::sort(times.begin(), times.end());
      const double median = times[times.size() / 2];
      const double floor = kPauseFloorMs + kPages * kPageMs;
      std::printf(
          "initial read at 1 ms per page: median %.1f ms of %d runs (min %.1f, max %.1f); "
          "floor %.0f ms; ratio %.3f (goal <= 1.05)\n",
          median, runs, times.front(), times.back(), floor, median / floor);
    }
  }
  fs::remove_all(folder);
  return status;
}
