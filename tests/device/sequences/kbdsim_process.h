// Runs the real tarsel-kbdsim as a separate process in a private folder and reads its report log.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarsel::testing {

struct LoggedReport {
  double seconds = 0;
  std::string kind;  // feature-set, feature-get, page-write, page-read, event
  std::vector<uint8_t> bytes;
};

// A private runtime folder for one test: XDG_RUNTIME_DIR points into it while the object lives.
class SimFolder {
 public:
  SimFolder();
  ~SimFolder();
  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path Discovery() const { return root_ / "tarsel"; }

 private:
  std::filesystem::path root_;
  std::string previousRuntimeDir_;
  bool hadRuntimeDir_ = false;
};

class KbdsimProcess {
 public:
  // Starts the simulator serving in folder with extra options, and waits for its ready line.
  KbdsimProcess(const std::filesystem::path& folder, const std::filesystem::path& log,
                std::vector<std::string> options = {});
  ~KbdsimProcess();  // stops it if still running

  bool Ready() const { return ready_; }
  void Stop();  // SIGTERM: removes its sockets, as an orderly unplug
  void Kill();  // SIGKILL
  // Waits for the process to end on its own (e.g. --exit-after); bounded.
  bool WaitForExit();
  // Reports a key event through the running simulator.
  bool Press(uint8_t keyCode) const;

  std::vector<LoggedReport> Log() const;
  // Command, p1 and p2 (bytes 1 to 3) of each feature report the host set, in order.
  std::vector<std::vector<uint8_t>> FeatureSets(std::size_t from = 0) const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path log_;
  pid_t pid_ = -1;
  bool ready_ = false;
};

}  // namespace tarsel::testing
