// Several device-change sources watched as one (the real keyboard's and the simulator's).
#pragma once

#include <vector>

#include "platform/device_change.h"

namespace tarsel {

class CompositeDeviceChangeSource final : public DeviceChangeSource {
 public:
  explicit CompositeDeviceChangeSource(std::vector<DeviceChangeSource*> sources)
      : sources_(std::move(sources)) {}
  // True when at least one source watches.
  bool Start(Handler handler) override {
    started_.clear();
    for (DeviceChangeSource* s : sources_) {
      if (s->Start(handler)) started_.push_back(s);
    }
    return !started_.empty();
  }
  void Stop() override {
    for (DeviceChangeSource* s : started_) s->Stop();
    started_.clear();
  }

 private:
  std::vector<DeviceChangeSource*> sources_;
  std::vector<DeviceChangeSource*> started_;
};

}  // namespace tarsel
