// Device-change source for the simulator: watches its discovery folder for sockets coming and
// going.
#pragma once

#include <atomic>
#include <filesystem>
#include <string_view>
#include <thread>

#include "platform/device_change.h"

namespace tarsel {

// True for the names of interface sockets the simulator serves (not its control socket).
bool IsInterfaceSocketName(std::string_view name);

class SocketFolderWatch final : public DeviceChangeSource {
 public:
  // The folder is created (mode 0700) when missing, so a simulator started later is seen.
  explicit SocketFolderWatch(std::filesystem::path folder);
  ~SocketFolderWatch() override;
  SocketFolderWatch(const SocketFolderWatch&) = delete;
  SocketFolderWatch& operator=(const SocketFolderWatch&) = delete;

  bool Start(Handler handler) override;
  void Stop() override;

 private:
  void Run(int inotifyFd, int wakeFd, Handler handler);

  std::filesystem::path folder_;
  std::thread thread_;
  int wakeFd_ = -1;
};

}  // namespace tarsel
