#include "device/composite_hid_transport.h"

#include <utility>

namespace tarsel {

void CompositeHidTransport::Add(std::unique_ptr<HidTransport> transport) {
  std::lock_guard lock(mutex_);
  transports_.push_back(std::move(transport));
}

std::vector<HidInterfaceInfo> CompositeHidTransport::Enumerate() {
  std::lock_guard lock(mutex_);
  std::vector<HidInterfaceInfo> all;
  std::map<std::string, std::size_t> owner;
  for (std::size_t i = 0; i < transports_.size(); ++i) {
    for (HidInterfaceInfo& info : transports_[i]->Enumerate()) {
      owner.emplace(info.path, i);  // the earlier source keeps a path listed twice
      all.push_back(std::move(info));
    }
  }
  owner_ = std::move(owner);
  return all;
}

std::unique_ptr<HidDevice> CompositeHidTransport::Open(const std::string& path) {
  std::lock_guard lock(mutex_);
  auto it = owner_.find(path);
  if (it == owner_.end()) return nullptr;
  return transports_[it->second]->Open(path);
}

}  // namespace tarsel
