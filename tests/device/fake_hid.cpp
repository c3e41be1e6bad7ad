#include "device/fake_hid.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "device/feature_report.h"

namespace tarsel::testing {

std::string Hex(std::span<const uint8_t> bytes) {
  std::string text;
  for (uint8_t byte : bytes) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X", byte);
    if (!text.empty()) text += ' ';
    text += digits;
  }
  return text;
}

void Journal::Add(std::string entry) {
  std::lock_guard lock(mutex_);
  entries_.push_back(std::move(entry));
}

std::vector<std::string> Journal::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

void Journal::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

void RecordingClock::Sleep(std::chrono::milliseconds duration) {
  journal_.Add("sleep " + std::to_string(duration.count()));
  std::lock_guard lock(mutex_);
  now_ += duration;
}

std::chrono::steady_clock::time_point RecordingClock::Now() {
  std::lock_guard lock(mutex_);
  return now_;
}

void FakeInterface::QueueFeatureReply(std::vector<uint8_t> reply) {
  std::lock_guard lock(mutex_);
  featureReplies_.push_back(std::move(reply));
}

void FakeInterface::QueueInputReport(std::vector<uint8_t> report) {
  {
    std::lock_guard lock(mutex_);
    inputReports_.push_back(std::move(report));
  }
  changed_.notify_all();
}

void FakeInterface::QueuePage(std::span<const uint8_t> data) {
  std::vector<uint8_t> report(kPageReportSize, 0);
  std::copy_n(data.begin(), std::min(data.size(), kPageDataSize), report.begin() + 1);
  QueueInputReport(std::move(report));
}

void FakeInterface::FailSends(bool fail) {
  std::lock_guard lock(mutex_);
  failSends_ = fail;
}

void FakeInterface::FailFetches(bool fail) {
  std::lock_guard lock(mutex_);
  failFetches_ = fail;
}

void FakeInterface::FailWrites(bool fail) {
  std::lock_guard lock(mutex_);
  failWrites_ = fail;
}

void FakeInterface::Unplug() {
  {
    std::lock_guard lock(mutex_);
    unplugged_ = true;
  }
  changed_.notify_all();
}

std::size_t FakeInterface::PendingFeatureReplies() const {
  std::lock_guard lock(mutex_);
  return featureReplies_.size();
}

std::size_t FakeInterface::PendingInputReports() const {
  std::lock_guard lock(mutex_);
  return inputReports_.size();
}

std::vector<uint8_t> FakeInterface::FetchPresets() const {
  std::lock_guard lock(mutex_);
  return fetchPresets_;
}

int FakeInterface::OpenCount() const {
  std::lock_guard lock(mutex_);
  return openCount_;
}

void FakeInterface::AwaitBlockedReader() const {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return blockedReaders_ > 0; });
}

FakeHidDevice::FakeHidDevice(std::shared_ptr<FakeInterface> interface)
    : interface_(std::move(interface)) {}

bool FakeHidDevice::Usable() const {
  return !closed_ && !interface_->unplugged_;
}

HidStatus FakeHidDevice::SendFeatureReport(std::span<const uint8_t> report) {
  std::lock_guard lock(interface_->mutex_);
  const bool ok = Usable() && !interface_->failSends_;
  interface_->journal_.Add("set " + Hex(report) + (ok ? "" : " (failed)"));
  return ok ? HidStatus::Ok : HidStatus::Failed;
}

HidStatus FakeHidDevice::GetFeatureReport(std::span<uint8_t> report) {
  std::lock_guard lock(interface_->mutex_);
  interface_->fetchPresets_.push_back(report.empty() ? 0 : report[0]);
  const bool ok = Usable() && !interface_->failFetches_ && !interface_->featureReplies_.empty();
  interface_->journal_.Add(ok ? "get" : "get (failed)");
  if (!ok) {
    // What a broken transfer may leave behind; the caller must not take it as a reply.
    std::fill(report.begin(), report.end(), 0xEE);
    return HidStatus::Failed;
  }
  const std::vector<uint8_t> reply = std::move(interface_->featureReplies_.front());
  interface_->featureReplies_.pop_front();
  std::copy_n(reply.begin(), std::min(reply.size(), report.size()), report.begin());
  return HidStatus::Ok;
}

HidStatus FakeHidDevice::WriteReport(std::span<const uint8_t> report) {
  std::lock_guard lock(interface_->mutex_);
  const bool ok = Usable() && !interface_->failWrites_;
  interface_->journal_.Add("write " + Hex(report) + (ok ? "" : " (failed)"));
  return ok ? HidStatus::Ok : HidStatus::Failed;
}

HidStatus FakeHidDevice::ReadReport(std::span<uint8_t> buffer, std::chrono::milliseconds timeout,
                                    std::size_t& bytesRead) {
  std::unique_lock lock(interface_->mutex_);
  auto ready = [&] { return !Usable() || !interface_->inputReports_.empty(); };
  if (!ready()) {
    ++interface_->blockedReaders_;
    interface_->changed_.notify_all();
    interface_->changed_.wait_for(lock, timeout, ready);
    --interface_->blockedReaders_;
  }
  if (!Usable()) {
    std::fill(buffer.begin(), buffer.end(), 0xEE);
    interface_->journal_.Add("read (failed)");
    return HidStatus::Failed;
  }
  if (interface_->inputReports_.empty()) {
    interface_->journal_.Add("read (timed out)");
    return HidStatus::TimedOut;
  }
  const std::vector<uint8_t> report = std::move(interface_->inputReports_.front());
  interface_->inputReports_.pop_front();
  bytesRead = std::min(report.size(), buffer.size());
  std::copy_n(report.begin(), bytesRead, buffer.begin());
  interface_->journal_.Add("read");
  return HidStatus::Ok;
}

void FakeHidDevice::Close() {
  {
    std::lock_guard lock(interface_->mutex_);
    closed_ = true;
  }
  interface_->changed_.notify_all();
}

std::shared_ptr<FakeInterface> FakeHidTransport::AddInterface(const std::string& path,
                                                              uint16_t vendorId, uint16_t productId,
                                                              bool openable) {
  auto interface = std::make_shared<FakeInterface>(journal_);
  std::lock_guard lock(mutex_);
  entries_.push_back({{path, vendorId, productId}, interface, openable});
  return interface;
}

std::shared_ptr<FakeInterface> FakeHidTransport::AddCommandInterface() {
  return AddInterface(kFakeCommandPath, kKeyboardVendorId, kKeyboardProductId);
}

std::shared_ptr<FakeInterface> FakeHidTransport::AddEventInterface() {
  return AddInterface(kFakeEventPath, kKeyboardVendorId, kKeyboardProductId);
}

std::vector<HidInterfaceInfo> FakeHidTransport::Enumerate() {
  std::lock_guard lock(mutex_);
  std::vector<HidInterfaceInfo> infos;
  for (const Entry& entry : entries_) infos.push_back(entry.info);
  return infos;
}

std::unique_ptr<HidDevice> FakeHidTransport::Open(const std::string& path) {
  std::lock_guard lock(mutex_);
  for (const Entry& entry : entries_) {
    if (entry.info.path != path || !entry.openable) continue;
    opened_.push_back(path);
    {
      std::lock_guard interfaceLock(entry.interface->mutex_);
      ++entry.interface->openCount_;
    }
    return std::make_unique<FakeHidDevice>(entry.interface);
  }
  return nullptr;
}

std::vector<std::string> FakeHidTransport::OpenedPaths() const {
  std::lock_guard lock(mutex_);
  return opened_;
}

}  // namespace tarsel::testing
