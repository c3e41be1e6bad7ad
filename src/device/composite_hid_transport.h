// Several HID sources seen as one: real keyboards first, then the simulator.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid.h"

namespace tarsel {

class CompositeHidTransport final : public HidTransport {
 public:
  // Sources are enumerated in the order they were added.
  void Add(std::unique_ptr<HidTransport> transport);

  std::vector<HidInterfaceInfo> Enumerate() override;
  // Opens through the source that listed the path at the last enumeration; nullptr for a path
  // no source listed.
  std::unique_ptr<HidDevice> Open(const std::string& path) override;

 private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<HidTransport>> transports_;
  std::map<std::string, std::size_t> owner_;  // path -> index of the source that listed it
};

}  // namespace tarsel
