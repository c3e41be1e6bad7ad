// HID transport port: enumerating HID interfaces and moving reports over an open one.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tarsel {

// One HID interface as enumeration reports it. The path carries the markers the link searches
// for ("mi_03" for the USB interface number, "col04" for the collection whose input reports
// carry report id 4), whatever the adapter had to add to make that so.
struct HidInterfaceInfo {
  std::string path;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
};

enum class HidStatus {
  Ok,        // the transfer happened
  TimedOut,  // nothing arrived within the time-out; the interface is still usable
  Failed,    // the transfer failed; the interface may be gone (unplugged)
};

// An open interface. Reports include the report id as byte 0, as on the wire.
// Implementations must allow Read() on one thread while another thread calls Close()
// (Close then makes the pending Read() return Failed promptly).
class HidDevice {
 public:
  virtual ~HidDevice() = default;
  virtual HidStatus SendFeatureReport(std::span<const uint8_t> report) = 0;
  // report[0] holds the report id on entry; on success the whole report is filled.
  virtual HidStatus GetFeatureReport(std::span<uint8_t> report) = 0;
  virtual HidStatus WriteReport(std::span<const uint8_t> report) = 0;
  // Reads one input report into buffer (report id in byte 0); waits at most timeout.
  // bytesRead is set on Ok.
  virtual HidStatus ReadReport(std::span<uint8_t> buffer, std::chrono::milliseconds timeout,
                               std::size_t& bytesRead) = 0;
  // Makes every later call fail and wakes a blocked ReadReport.
  virtual void Close() = 0;
};

// Enumerates and opens interfaces; one adapter per kind of device source.
class HidTransport {
 public:
  virtual ~HidTransport() = default;
  virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
  // nullptr when the interface cannot be opened (gone, or held by someone else).
  virtual std::unique_ptr<HidDevice> Open(const std::string& path) = 0;
};

}  // namespace tarsel
