// HID transport over hidapi's hidraw backend: the real keyboard.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/hid.h"

namespace tarsel {

// Lists every hidraw interface once, its path decorated with the markers the device link looks
// for (see interface_path.h). Reports read from an interface always start with the report id:
// interfaces without numbered reports get a 0 in front, as the keyboard's pages expect. An
// interface opened through its "col04" path delivers only reports with id 4.
class HidapiTransport final : public HidTransport {
 public:
  HidapiTransport();
  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;
};

}  // namespace tarsel
