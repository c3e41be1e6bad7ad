#include "device/device_link.h"

#include <algorithm>
#include <utility>

namespace tarsel {
namespace {

using SteadyClock = std::chrono::steady_clock;

// Time left until deadline, rounded up so that a short remainder still waits.
std::chrono::milliseconds Remaining(SteadyClock::time_point deadline) {
  auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
  return std::max(left, std::chrono::milliseconds(0));
}

}  // namespace

DeviceLink::DeviceLink(HidTransport& transport, ReportLogger logger)
    : transport_(transport), logger_(std::move(logger)) {}

DeviceLink::~DeviceLink() {
  CloseLink();
}

std::optional<std::string> DeviceLink::FindInterfacePath(std::string_view marker) {
  std::lock_guard discovery(discovery_);
  for (const HidInterfaceInfo& info : transport_.Enumerate()) {
    if (info.vendorId != kKeyboardVendorId || info.productId != kKeyboardProductId) continue;
    if (info.path.find(marker) == std::string::npos) continue;
    std::lock_guard lock(mutex_);
    devicePath_ = info.path;
    return info.path;
  }
  return std::nullopt;
}

std::string DeviceLink::DevicePath() const {
  std::lock_guard lock(mutex_);
  return devicePath_;
}

std::shared_ptr<HidDevice> DeviceLink::OpenByMarker(std::string_view marker) {
  std::optional<std::string> path = FindInterfacePath(marker);
  if (!path) return nullptr;
  std::lock_guard discovery(discovery_);
  return std::shared_ptr<HidDevice>(transport_.Open(*path));
}

bool DeviceLink::OpenCommandInterface() {
  std::shared_ptr<HidDevice> device = OpenByMarker(kCommandInterfaceMarker);
  std::shared_ptr<HidDevice> previous;
  {
    std::lock_guard lock(mutex_);
    previous = std::exchange(command_, device);
  }
  if (previous) previous->Close();
  return device != nullptr;
}

bool DeviceLink::OpenEventInterface() {
  std::shared_ptr<HidDevice> device = OpenByMarker(kEventInterfaceMarker);
  std::shared_ptr<HidDevice> previous;
  {
    std::lock_guard lock(mutex_);
    previous = std::exchange(event_, device);
    ++eventGeneration_;
  }
  eventInterfaceChanged_.notify_all();
  if (previous) previous->Close();
  return device != nullptr;
}

bool DeviceLink::IsCommandInterfaceOpen() const {
  return CommandDevice() != nullptr;
}

bool DeviceLink::IsEventInterfaceOpen() const {
  return EventDevice() != nullptr;
}

void DeviceLink::CloseLink() {
  std::shared_ptr<HidDevice> command;
  std::shared_ptr<HidDevice> event;
  {
    std::lock_guard lock(mutex_);
    command = std::exchange(command_, nullptr);
    event = std::exchange(event_, nullptr);
    ++eventGeneration_;
  }
  eventInterfaceChanged_.notify_all();
  // A thread still inside a transfer holds its own reference; Close() makes that transfer end.
  if (command) command->Close();
  if (event) event->Close();
}

std::unique_lock<std::mutex> DeviceLink::LockCommands() {
  return std::unique_lock<std::mutex>(commandSequence_);
}

std::shared_ptr<HidDevice> DeviceLink::CommandDevice() const {
  std::lock_guard lock(mutex_);
  return command_;
}

std::shared_ptr<HidDevice> DeviceLink::EventDevice() const {
  std::lock_guard lock(mutex_);
  return event_;
}

void DeviceLink::Log(ReportKind kind, HidStatus status, std::span<const uint8_t> bytes) const {
  if (logger_) logger_(kind, status, bytes);
}

bool DeviceLink::SendFeature(uint8_t command, uint8_t p1, uint8_t p2, uint8_t p3, uint8_t p4,
                             uint8_t p5, uint8_t p6) {
  std::shared_ptr<HidDevice> device = CommandDevice();
  if (!device) return false;
  const FeatureReport report = BuildFeatureReport(command, p1, p2, p3, p4, p5, p6);
  const HidStatus status = device->SendFeatureReport(report);
  Log(ReportKind::FeatureSent, status, report);
  return status == HidStatus::Ok;
}

bool DeviceLink::FetchReply(FeatureReport& reply) {
  std::shared_ptr<HidDevice> device = CommandDevice();
  if (!device) return false;
  FeatureReport buffer{};  // report id 0
  const HidStatus status = device->GetFeatureReport(buffer);
  Log(ReportKind::FeatureFetched, status, buffer);
  if (status != HidStatus::Ok) return false;
  reply = buffer;
  return true;
}

bool DeviceLink::WritePage(const PageData& data) {
  std::shared_ptr<HidDevice> device = CommandDevice();
  if (!device) return false;
  std::array<uint8_t, kPageReportSize> report{};
  std::copy(data.begin(), data.end(), report.begin() + 1);
  const HidStatus status = device->WriteReport(report);
  Log(ReportKind::PageWritten, status, report);
  return status == HidStatus::Ok;
}

bool DeviceLink::ReadPage(PageData& data) {
  std::shared_ptr<HidDevice> device = CommandDevice();
  if (!device) return false;
  const auto deadline = SteadyClock::now() + PageTimeout();
  for (;;) {
    std::array<uint8_t, kPageReportSize> report{};
    std::size_t bytesRead = 0;
    const HidStatus status = device->ReadReport(report, Remaining(deadline), bytesRead);
    Log(ReportKind::PageRead, status,
        std::span<const uint8_t>(report).first(status == HidStatus::Ok ? bytesRead
                                                                       : report.size()));
    if (status != HidStatus::Ok) return false;
    if (bytesRead == kPageReportSize && report[0] == 0) {
      std::copy(report.begin() + 1, report.end(), data.begin());
      return true;
    }
    // Something that is not a page (another report id, a short report): keep waiting for the
    // page within the same time-out.
    if (SteadyClock::now() >= deadline) return false;
  }
}

HidStatus DeviceLink::ReadEvent(EventReport& report, std::chrono::milliseconds wait) {
  const auto deadline = SteadyClock::now() + wait;
  for (;;) {
    std::shared_ptr<HidDevice> device;
    uint64_t generation = 0;
    {
      std::unique_lock lock(mutex_);
      generation = eventGeneration_;
      if (!event_) {
        eventInterfaceChanged_.wait_until(lock, deadline,
                                          [&] { return eventGeneration_ != generation; });
        if (!event_ || SteadyClock::now() >= deadline) return HidStatus::TimedOut;
      }
      device = event_;
    }
    EventReport buffer{kEventReportId, 0, 0, 0};
    std::size_t bytesRead = 0;
    const HidStatus status = device->ReadReport(buffer, Remaining(deadline), bytesRead);
    Log(ReportKind::EventRead, status,
        std::span<const uint8_t>(buffer).first(status == HidStatus::Ok ? bytesRead
                                                                       : buffer.size()));
    if (status == HidStatus::Ok) {
      if (bytesRead >= 2 && buffer[0] == kEventReportId) {
        report = buffer;
        return HidStatus::Ok;
      }
      if (SteadyClock::now() >= deadline) return HidStatus::TimedOut;
      continue;
    }
    if (status == HidStatus::Failed) {
      // The interface is broken but not closed yet (the removal notice is still on its way):
      // spend the rest of the wait here so that a reader loop does not spin.
      std::unique_lock lock(mutex_);
      eventInterfaceChanged_.wait_until(lock, deadline,
                                        [&] { return eventGeneration_ != generation; });
    }
    return status;
  }
}

}  // namespace tarsel
