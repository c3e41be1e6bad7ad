#include "udev_device_change_source.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>

#include "hidraw_filter.h"

namespace tarsel {

namespace {

struct UdevDeleter {
  void operator()(udev* u) const { udev_unref(u); }
  void operator()(udev_monitor* m) const { udev_monitor_unref(m); }
  void operator()(udev_device* d) const { udev_device_unref(d); }
};
using UdevPtr = std::unique_ptr<udev, UdevDeleter>;
using MonitorPtr = std::unique_ptr<udev_monitor, UdevDeleter>;
using DevicePtr = std::unique_ptr<udev_device, UdevDeleter>;

void Watch(UdevPtr context, MonitorPtr monitor, int wakeFd, DeviceChangeSource::Handler handler) {
  const int monitorFd = udev_monitor_get_fd(monitor.get());
  for (;;) {
    std::array<pollfd, 2> fds = {pollfd{monitorFd, POLLIN, 0}, pollfd{wakeFd, POLLIN, 0}};
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) break;
    if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) break;
    DevicePtr device(udev_monitor_receive_device(monitor.get()));
    if (!device) continue;
    const char* action = udev_device_get_action(device.get());
    const char* devpath = udev_device_get_devpath(device.get());
    if (action == nullptr || devpath == nullptr) continue;
    switch (ClassifyHidrawEvent(action, devpath)) {
      case HidrawAction::Arrival:
        handler(DeviceChange::Arrival);
        break;
      case HidrawAction::Removal:
        handler(DeviceChange::Removal);
        break;
      case HidrawAction::Ignore:
        break;
    }
  }
  (void)context;
}

}  // namespace

UdevDeviceChangeSource::~UdevDeviceChangeSource() {
  Stop();
}

bool UdevDeviceChangeSource::Start(Handler handler) {
  if (thread_.joinable() || !handler) return false;
  UdevPtr context(udev_new());
  if (!context) return false;
  MonitorPtr monitor(udev_monitor_new_from_netlink(context.get(), "udev"));
  if (!monitor) return false;
  if (udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor.get()) < 0) {
    return false;
  }
  wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) return false;
  thread_ = std::thread(Watch, std::move(context), std::move(monitor), wakeFd_, std::move(handler));
  return true;
}

void UdevDeviceChangeSource::Stop() {
  if (!thread_.joinable()) return;
  const uint64_t one = 1;
  ssize_t ignored = write(wakeFd_, &one, sizeof one);
  (void)ignored;
  thread_.join();
  close(wakeFd_);
  wakeFd_ = -1;
}

}  // namespace tarsel
