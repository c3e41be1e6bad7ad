// tarsel-kbdsim's serving loop: the firmware model behind the command, event and control
// sockets of one discovery folder, single-threaded around poll().
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "kbdsim_options.h"
#include "keyboard_model.h"
#include "report_log.h"
#include "unique_fd.h"

namespace tarsel {

class SimServer {
 public:
  SimServer(ServeOptions options, std::chrono::steady_clock::time_point start);
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;
  ~SimServer();

  // Runs until SIGINT or SIGTERM (or --exit-after); returns the process exit status.
  int Run();

 private:
  enum class Role { Command, Event, Control };
  struct Client {
    UniqueFd fd;
    Role role;
  };

  bool Start();
  void RemoveStaleSockets() const;
  void RemoveOwnSockets();
  void Accept(int listener, Role role);
  // false when the client is gone.
  bool ServeClient(Client& client);
  void HandleHostReport(Client& client, const uint8_t* packet, std::size_t size);
  void HandleControl(Client& client, const uint8_t* packet, std::size_t size);
  void FlushEvents();
  void SendDuePage(std::chrono::steady_clock::time_point now);
  bool Broadcast(Role role, const std::vector<uint8_t>& report);
  int PollTimeoutMs(std::chrono::steady_clock::time_point now) const;

  ServeOptions options_;
  std::string folder_;
  KeyboardModel model_;
  ReportLog log_;
  UniqueFd signals_;
  UniqueFd listeners_[3];
  std::vector<std::string> ownPaths_;
  std::vector<Client> clients_;
  uint64_t hostReports_ = 0;
  bool stalled_ = false;
  bool exitNow_ = false;
  std::chrono::steady_clock::time_point nextPageAt_{};
};

}  // namespace tarsel
