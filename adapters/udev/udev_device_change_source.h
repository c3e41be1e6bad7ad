// Device-change source over a libudev monitor of hidraw nodes, reporting only the keyboard's.
#pragma once

#include <thread>

#include "platform/device_change.h"

namespace tarsel {

class UdevDeviceChangeSource final : public DeviceChangeSource {
 public:
  UdevDeviceChangeSource() = default;
  ~UdevDeviceChangeSource() override;
  UdevDeviceChangeSource(const UdevDeviceChangeSource&) = delete;
  UdevDeviceChangeSource& operator=(const UdevDeviceChangeSource&) = delete;

  bool Start(Handler handler) override;
  void Stop() override;

 private:
  std::thread thread_;
  int wakeFd_ = -1;
};

}  // namespace tarsel
