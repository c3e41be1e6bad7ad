// The keyboard's side of the configuration protocol: what the firmware keeps and how it answers.
// Pure logic: the host's reports go in through the Host* calls, the keyboard's input reports
// come out of one outbox per interface. Used in-process by tests and behind tarsel-kbdsim.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "config/device_state_block.h"
#include "device/feature_report.h"

namespace tarsel {

// Byte 1 of a key event; anything but the acknowledgement's 4 would do.
inline constexpr uint8_t kEventKey = 1;

enum class ModelInterface {
  Command,  // feature reports and 65-byte pages
  Event,    // 4-byte acknowledgements and key events
};

struct FirmwareVersion {
  uint8_t major = 1;
  uint8_t minor = 2;
};

class KeyboardModel {
 public:
  // Starts with factory settings.
  explicit KeyboardModel(FirmwareVersion version = {});

  // A set-feature request. Reports that are not 9 bytes or whose check byte is wrong are
  // ignored, as are unknown commands and out-of-range indices; returns whether it was taken.
  bool HostSetFeature(std::span<const uint8_t> report);
  // A get-feature request: the reply of the last read command (report id as asked). The pages
  // of a read follow its reply: they reach the outbox once the reply was fetched.
  FeatureReport HostGetFeature(uint8_t reportId);
  // An output report on the command interface: the next page of the write in progress.
  // Returns false when no write expects a page (the page is dropped).
  bool HostWritePage(std::span<const uint8_t> report);

  // Reports a key event for a host action with this key code.
  void PressKey(uint8_t keyCode);
  // A physical key press: reports its code when the key's map entry is a host action;
  // other keys (and indices past the key table) report nothing to the configuration utility.
  bool PressPhysicalKey(std::size_t keyIndex);

  // The next input report the keyboard has for the host on that interface, oldest first.
  std::optional<std::vector<uint8_t>> TakeReport(ModelInterface which);
  std::size_t PendingReports(ModelInterface which) const;

  // Fault injection: never acknowledge writes.
  void SetDropAcks(bool drop) { dropAcks_ = drop; }

  // What the keyboard holds, in the host's terms (speed 0..9; winLock unused).
  const DeviceStateBlock& State() const { return state_; }
  DeviceStateBlock& MutableState() { return state_; }

 private:
  struct PendingWrite {
    CommandCode command = CommandCode::GetVersion;
    uint8_t index = 0;
    std::size_t pagesExpected = 0;
    std::size_t pagesReceived = 0;
    std::vector<uint8_t> data;
  };

  void Acknowledge();
  void QueuePages(std::span<const uint8_t> region);
  void CommitWrite(const PendingWrite& write);
  bool HandleRead(const FeatureReport& report);
  bool HandleWrite(const FeatureReport& report);

  DeviceStateBlock state_{};
  FirmwareVersion version_;
  FeatureReport lastReply_{};
  std::optional<PendingWrite> pendingWrite_;
  std::deque<std::vector<uint8_t>> heldPages_;  // of a read whose reply is not fetched yet
  std::deque<std::vector<uint8_t>> commandOutbox_;
  std::deque<std::vector<uint8_t>> eventOutbox_;
  bool dropAcks_ = false;
};

}  // namespace tarsel
