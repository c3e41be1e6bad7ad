// HID transport over the keyboard simulator's Unix sockets (see sim/README.md for the framing).
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid.h"

namespace tarsel {

class SimSocketTransport final : public HidTransport {
 public:
  static constexpr std::chrono::milliseconds kDefaultFeatureTimeout{1000};

  // The default discovery folder: $XDG_RUNTIME_DIR/tarsel, else /tmp/tarsel-<uid>.
  SimSocketTransport();
  // featureTimeout bounds the wait for the reply of a get-feature request (and for room to
  // send, should the simulator stop reading).
  explicit SimSocketTransport(std::string folder,
                              std::chrono::milliseconds featureTimeout = kDefaultFeatureTimeout);

  // The simulator's interface sockets in name order, skipping files nobody answers on (left by
  // a simulator that was killed).
  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;

  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
  std::chrono::milliseconds featureTimeout_;
};

}  // namespace tarsel
