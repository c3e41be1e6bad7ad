// The link to the keyboard: discovery of its two interfaces and the primitive transfers on them.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/feature_report.h"
#include "platform/hid.h"

namespace tarsel {

enum class ReportKind {
  FeatureSent,
  FeatureFetched,
  PageWritten,
  PageRead,
  EventRead,
};

// Called after every transfer with its outcome and the bytes that went over the wire (for a
// failed read: the buffer as it was preset). May be called from any thread using the link.
using ReportLogger = std::function<void(ReportKind, HidStatus, std::span<const uint8_t>)>;

// Holds the command and the event interface. Every primitive tells whether it worked; a read
// that fails leaves the caller's destination untouched.
//
// Threads: the primitives may be called from several threads at once; CloseLink() and the
// Open*() calls may run while another thread is blocked in a read, which then fails promptly.
// Whole command sequences must not interleave on the command interface: a sequence holds
// LockCommands() for its whole length.
class DeviceLink {
 public:
  static constexpr std::chrono::milliseconds kDefaultPageTimeout{1000};

  DeviceLink(HidTransport& transport, ReportLogger logger = {});
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // The first enumerated interface of the keyboard whose path contains marker (case-sensitive).
  // Remembers it as DevicePath() when found.
  std::optional<std::string> FindInterfacePath(std::string_view marker);
  std::string DevicePath() const;

  // Discover and open; an interface already open is closed and replaced.
  bool OpenCommandInterface();
  bool OpenEventInterface();
  bool IsCommandInterfaceOpen() const;
  bool IsEventInterfaceOpen() const;
  // Closes both interfaces and wakes any thread blocked on them.
  void CloseLink();

  // Serialises whole command sequences on the command interface.
  [[nodiscard]] std::unique_lock<std::mutex> LockCommands();

  bool SendFeature(uint8_t command, uint8_t p1 = 0, uint8_t p2 = 0, uint8_t p3 = 0, uint8_t p4 = 0,
                   uint8_t p5 = 0, uint8_t p6 = 0);
  // The reply of the last read command, byte 0 preset to 0.
  bool FetchReply(FeatureReport& reply);
  bool WritePage(const PageData& data);
  // Waits at most PageTimeout() for the next page.
  bool ReadPage(PageData& data);
  // One event report (report id 4). Waits at most wait; with no event interface open it waits
  // for one to be opened (or for CloseLink) for the same time, so a reader loop never spins.
  HidStatus ReadEvent(EventReport& report, std::chrono::milliseconds wait);

  void SetPageTimeout(std::chrono::milliseconds timeout) { pageTimeout_ = timeout.count(); }
  std::chrono::milliseconds PageTimeout() const {
    return std::chrono::milliseconds(pageTimeout_.load());
  }

 private:
  std::shared_ptr<HidDevice> CommandDevice() const;
  std::shared_ptr<HidDevice> EventDevice() const;
  std::shared_ptr<HidDevice> OpenByMarker(std::string_view marker);
  void Log(ReportKind kind, HidStatus status, std::span<const uint8_t> bytes) const;

  HidTransport& transport_;
  const ReportLogger logger_;
  std::atomic<int64_t> pageTimeout_{kDefaultPageTimeout.count()};

  mutable std::mutex mutex_;  // guards the fields below, never held during a transfer
  std::condition_variable eventInterfaceChanged_;
  uint64_t eventGeneration_ = 0;
  std::string devicePath_;
  std::shared_ptr<HidDevice> command_;
  std::shared_ptr<HidDevice> event_;

  std::mutex discovery_;  // one enumeration or open at a time
  std::mutex commandSequence_;
};

}  // namespace tarsel
