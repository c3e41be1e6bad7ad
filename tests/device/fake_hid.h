// Test doubles of the HID transport and the clock that write every report and pause into one
// journal, so that a test can compare the exact order of bytes and pauses with what it expects.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/hid.h"

namespace tarsel::testing {

// "00 80 7F" style.
std::string Hex(std::span<const uint8_t> bytes);

// Thread-safe list of what happened: "set <bytes>", "get", "write <bytes>", "read", "sleep <ms>";
// a failed transfer gets " (failed)" or " (timed out)" appended.
class Journal {
 public:
  void Add(std::string entry);
  std::vector<std::string> Entries() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> entries_;
};

// Records pauses instead of sleeping; Now() advances by the pauses taken.
class RecordingClock final : public Clock {
 public:
  explicit RecordingClock(Journal& journal) : journal_(journal) {}
  void Sleep(std::chrono::milliseconds duration) override;
  std::chrono::steady_clock::time_point Now() override;

 private:
  Journal& journal_;
  std::mutex mutex_;
  std::chrono::steady_clock::time_point now_{};
};

// One interface of the fake keyboard, shared by every handle opened on it. Scripted replies and
// input reports are consumed in order. A read with nothing queued waits up to its time-out
// (real time) and times out, unless the handle is closed or the interface unplugged meanwhile.
class FakeInterface {
 public:
  explicit FakeInterface(Journal& journal) : journal_(journal) {}

  void QueueFeatureReply(std::vector<uint8_t> reply);
  void QueueInputReport(std::vector<uint8_t> report);
  // A 65-byte page report: report id 0, then data.
  void QueuePage(std::span<const uint8_t> data);
  void FailSends(bool fail);
  void FailFetches(bool fail);
  void FailWrites(bool fail);
  // Every transfer fails from now on and blocked reads wake up with Failed.
  void Unplug();

  std::size_t PendingFeatureReplies() const;
  std::size_t PendingInputReports() const;
  // Byte 0 of the buffer as the caller preset it, for every fetch.
  std::vector<uint8_t> FetchPresets() const;
  int OpenCount() const;
  // Returns once some thread is blocked in a read with nothing queued.
  void AwaitBlockedReader() const;

 private:
  friend class FakeHidDevice;
  friend class FakeHidTransport;

  Journal& journal_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::deque<std::vector<uint8_t>> featureReplies_;
  std::deque<std::vector<uint8_t>> inputReports_;
  std::vector<uint8_t> fetchPresets_;
  bool failSends_ = false;
  bool failFetches_ = false;
  bool failWrites_ = false;
  bool unplugged_ = false;
  int openCount_ = 0;
  int blockedReaders_ = 0;
};

// A handle on a FakeInterface; Close() affects only this handle.
class FakeHidDevice final : public HidDevice {
 public:
  explicit FakeHidDevice(std::shared_ptr<FakeInterface> interface);
  HidStatus SendFeatureReport(std::span<const uint8_t> report) override;
  HidStatus GetFeatureReport(std::span<uint8_t> report) override;
  HidStatus WriteReport(std::span<const uint8_t> report) override;
  HidStatus ReadReport(std::span<uint8_t> buffer, std::chrono::milliseconds timeout,
                       std::size_t& bytesRead) override;
  void Close() override;

 private:
  bool Usable() const;  // with interface_->mutex_ held

  std::shared_ptr<FakeInterface> interface_;
  bool closed_ = false;  // guarded by interface_->mutex_
};

class FakeHidTransport final : public HidTransport {
 public:
  explicit FakeHidTransport(Journal& journal) : journal_(journal) {}

  // Lists an interface; the returned object scripts it. openable = false makes Open() refuse it
  // (as the system does for interfaces held by someone else).
  std::shared_ptr<FakeInterface> AddInterface(const std::string& path, uint16_t vendorId,
                                              uint16_t productId, bool openable = true);
  // The keyboard's two interfaces under typical paths.
  std::shared_ptr<FakeInterface> AddCommandInterface();
  std::shared_ptr<FakeInterface> AddEventInterface();

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;
  std::vector<std::string> OpenedPaths() const;

 private:
  struct Entry {
    HidInterfaceInfo info;
    std::shared_ptr<FakeInterface> interface;
    bool openable;
  };
  Journal& journal_;
  mutable std::mutex mutex_;
  std::vector<Entry> entries_;
  std::vector<std::string> opened_;
};

inline constexpr const char* kFakeCommandPath = "/dev/hidraw3#mi_03";
inline constexpr const char* kFakeEventPath = "/dev/hidraw2#mi_02&col04";

}  // namespace tarsel::testing
