#include "hidapi_transport.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <set>

#include "input_report_framing.h"
#include "interface_path.h"
#include "report_descriptor.h"

namespace tarsel {
namespace {

using SteadyClock = std::chrono::steady_clock;

// A blocked read looks at the close flag this often.
constexpr std::chrono::milliseconds kReadSlice{20};
// HID report descriptors are at most 4096 bytes (HID_MAX_DESCRIPTOR_SIZE).
constexpr std::streamsize kMaxDescriptorSize = 4096;

// The descriptor of a hidraw node from sysfs, readable without opening the device.
std::optional<ReportDescriptorInfo> ReadDescriptorInfo(const std::string& node) {
  const std::optional<std::string> name = HidrawName(node);
  if (!name) return std::nullopt;
  std::ifstream file("/sys/class/hidraw/" + *name + "/device/report_descriptor", std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes(kMaxDescriptorSize);
  file.read(reinterpret_cast<char*>(bytes.data()), kMaxDescriptorSize);
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return ParseReportDescriptor(bytes);
}

struct HidCloser {
  void operator()(hid_device* device) const { hid_close(device); }
};

class HidapiDevice final : public HidDevice {
 public:
  HidapiDevice(hid_device* handle, InputReportFraming framing)
      : handle_(handle), framing_(framing) {}

  HidStatus SendFeatureReport(std::span<const uint8_t> report) override {
    std::lock_guard lock(io_);
    if (closed_) return HidStatus::Failed;
    return hid_send_feature_report(handle_.get(), report.data(), report.size()) < 0
               ? HidStatus::Failed
               : HidStatus::Ok;
  }

  HidStatus GetFeatureReport(std::span<uint8_t> report) override {
    std::lock_guard lock(io_);
    if (closed_) return HidStatus::Failed;
    return hid_get_feature_report(handle_.get(), report.data(), report.size()) < 0
               ? HidStatus::Failed
               : HidStatus::Ok;
  }

  HidStatus WriteReport(std::span<const uint8_t> report) override {
    std::lock_guard lock(io_);
    if (closed_) return HidStatus::Failed;
    return hid_write(handle_.get(), report.data(), report.size()) < 0 ? HidStatus::Failed
                                                                      : HidStatus::Ok;
  }

  HidStatus ReadReport(std::span<uint8_t> buffer, std::chrono::milliseconds timeout,
                       std::size_t& bytesRead) override {
    if (buffer.empty()) return HidStatus::Failed;
    const auto deadline = SteadyClock::now() + timeout;
    const std::size_t offset = framing_.PayloadOffset();
    for (;;) {
      if (closed_) return HidStatus::Failed;
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
      const auto slice = std::clamp(left, std::chrono::milliseconds(0), kReadSlice);
      int received = 0;
      {
        std::lock_guard lock(io_);
        received = hid_read_timeout(handle_.get(), buffer.data() + offset, buffer.size() - offset,
                                    static_cast<int>(slice.count()));
      }
      if (received < 0) return HidStatus::Failed;
      if (auto length = framing_.Accept(buffer, static_cast<std::size_t>(received))) {
        bytesRead = *length;
        return HidStatus::Ok;
      }
      if (slice.count() == 0 || SteadyClock::now() >= deadline) return HidStatus::TimedOut;
    }
  }

  void Close() override { closed_ = true; }

 private:
  std::mutex io_;  // hidapi keeps per-handle error state: one call at a time
  std::unique_ptr<hid_device, HidCloser> handle_;
  const InputReportFraming framing_;
  std::atomic<bool> closed_{false};
};

}  // namespace

HidapiTransport::HidapiTransport() {
  hid_init();
}

std::vector<HidInterfaceInfo> HidapiTransport::Enumerate() {
  std::vector<HidInterfaceInfo> interfaces;
  hid_device_info* list = hid_enumerate(0, 0);
  std::set<std::string> seen;  // one entry per top-level collection, but one node per interface
  for (hid_device_info* info = list; info != nullptr; info = info->next) {
    if (info->path == nullptr || !seen.insert(info->path).second) continue;
    InterfacePath path;
    path.node = info->path;
    path.interfaceNumber = info->interface_number;
    const std::optional<ReportDescriptorInfo> descriptor = ReadDescriptorInfo(path.node);
    path.eventCollection = descriptor && descriptor->HasInputReportId(kEventCollectionReportId);
    interfaces.push_back({DecorateInterfacePath(path), info->vendor_id, info->product_id});
  }
  hid_free_enumeration(list);
  return interfaces;
}

std::unique_ptr<HidDevice> HidapiTransport::Open(const std::string& path) {
  const std::optional<InterfacePath> parsed = ParseInterfacePath(path);
  if (!parsed) return nullptr;
  const std::optional<ReportDescriptorInfo> descriptor = ReadDescriptorInfo(parsed->node);
  // hidapi opens the node with O_CLOEXEC, so programs started from here do not inherit it.
  hid_device* handle = hid_open_path(parsed->node.c_str());
  if (handle == nullptr) return nullptr;
  return std::make_unique<HidapiDevice>(
      handle, InputReportFraming::For(descriptor, parsed->eventCollection));
}

}  // namespace tarsel
