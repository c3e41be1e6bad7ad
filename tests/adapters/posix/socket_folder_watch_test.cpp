// The simulator folder watch: interface sockets appearing and vanishing become arrival and removal.
#include "posix/socket_folder_watch.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

namespace tarsel {
namespace {

namespace fs = std::filesystem;

class EventLog {
 public:
  void Add(DeviceChange change) {
    std::lock_guard lock(mutex_);
    events_.push_back(change);
    changed_.notify_all();
  }
  // The bound only guards against a hang; events normally arrive within milliseconds.
  std::vector<DeviceChange> WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(5), [&] { return events_.size() >= count; });
    return events_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<DeviceChange> events_;
};

int BindSocket(const fs::path& path) {
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  return fd;
}

TEST(SocketFolderWatchTest, NamesOfInterfaceSockets) {
  EXPECT_TRUE(IsInterfaceSocketName("hid-04d9-a1dd-123-mi_03.sock"));
  EXPECT_TRUE(IsInterfaceSocketName("hid-04d9-a1dd-123-mi_01-col04.sock"));
  EXPECT_FALSE(IsInterfaceSocketName("control-123.sock"));
  EXPECT_FALSE(IsInterfaceSocketName("hid-04d9-a1dd-123-mi_03.sock.tmp"));
}

TEST(SocketFolderWatchTest, ReportsSocketsComingAndGoingAndNothingElse) {
  const fs::path folder =
      fs::temp_directory_path() / ("tarsel-watch-" + std::to_string(getpid())) / "tarsel";
  fs::remove_all(folder.parent_path());
  fs::create_directories(folder.parent_path());

  EventLog log;
  SocketFolderWatch watch(folder);  // creates the missing folder
  ASSERT_TRUE(watch.Start([&](DeviceChange change) { log.Add(change); }));
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);

  const int unrelated = BindSocket(folder / "control-1.sock");
  const int command = BindSocket(folder / "hid-04d9-a1dd-1-mi_03.sock");
  fs::remove(folder / "control-1.sock");
  fs::remove(folder / "hid-04d9-a1dd-1-mi_03.sock");
  close(unrelated);
  close(command);

  EXPECT_EQ(log.WaitFor(2), (std::vector{DeviceChange::Arrival, DeviceChange::Removal}));
  watch.Stop();
  fs::remove_all(folder.parent_path());
}

}  // namespace
}  // namespace tarsel
