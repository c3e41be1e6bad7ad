#include "socket_folder_watch.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace tarsel {

bool IsInterfaceSocketName(std::string_view name) {
  return name.starts_with("hid-") && name.ends_with(".sock");
}

SocketFolderWatch::SocketFolderWatch(std::filesystem::path folder) : folder_(std::move(folder)) {}

SocketFolderWatch::~SocketFolderWatch() {
  Stop();
}

bool SocketFolderWatch::Start(Handler handler) {
  if (thread_.joinable() || !handler) return false;
  std::error_code error;
  if (!std::filesystem::exists(folder_, error)) {
    // Only the user may list or connect to the simulator's sockets.
    if (mkdir(folder_.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  const int inotifyFd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (inotifyFd < 0) return false;
  if (inotify_add_watch(inotifyFd, folder_.c_str(),
                        IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM | IN_ONLYDIR) < 0) {
    close(inotifyFd);
    return false;
  }
  wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) {
    close(inotifyFd);
    return false;
  }
  thread_ = std::thread(&SocketFolderWatch::Run, this, inotifyFd, wakeFd_, std::move(handler));
  return true;
}

void SocketFolderWatch::Stop() {
  if (!thread_.joinable()) return;
  const uint64_t one = 1;
  ssize_t ignored = write(wakeFd_, &one, sizeof one);
  (void)ignored;
  thread_.join();
  close(wakeFd_);
  wakeFd_ = -1;
}

void SocketFolderWatch::Run(int inotifyFd, int wakeFd, Handler handler) {
  alignas(inotify_event) std::array<char, 4096> buffer;
  for (;;) {
    std::array<pollfd, 2> fds = {pollfd{inotifyFd, POLLIN, 0}, pollfd{wakeFd, POLLIN, 0}};
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) break;
    if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) break;
    const ssize_t length = read(inotifyFd, buffer.data(), buffer.size());
    if (length <= 0) continue;
    for (ssize_t offset = 0; offset < length;) {
      inotify_event event;
      std::memcpy(&event, buffer.data() + offset, sizeof event);
      const char* name = buffer.data() + offset + sizeof(inotify_event);
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
      if (event.len == 0 || !IsInterfaceSocketName(std::string_view(name))) continue;
      if ((event.mask & (IN_CREATE | IN_MOVED_TO)) != 0) handler(DeviceChange::Arrival);
      if ((event.mask & (IN_DELETE | IN_MOVED_FROM)) != 0) handler(DeviceChange::Removal);
    }
  }
  close(inotifyFd);
}

}  // namespace tarsel
