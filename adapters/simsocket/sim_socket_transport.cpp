#include "sim_socket_transport.h"

#include <dirent.h>
#include <poll.h>
#include <sys/socket.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <deque>
#include <mutex>

#include "socket_protocol.h"
#include "unix_socket.h"

namespace tarsel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kMaxPacket = 256;

// Milliseconds left until deadline, for poll(); never negative.
int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<int64_t>(0, left.count()));
}

class SimSocketDevice final : public HidDevice {
 public:
  SimSocketDevice(UniqueFd fd, std::chrono::milliseconds featureTimeout)
      : fd_(std::move(fd)), featureTimeout_(featureTimeout) {}

  HidStatus SendFeatureReport(std::span<const uint8_t> report) override {
    return Send(simsocket::kSetFeature, report);
  }

  HidStatus GetFeatureReport(std::span<uint8_t> report) override {
    std::lock_guard lock(receiveMutex_);
    // A reply that came too late for an earlier request must not pass for this one's.
    for (;;) {
      Packet stale;
      const HidStatus status = Receive(stale, Clock::now());
      if (status == HidStatus::Failed) return status;
      if (status == HidStatus::TimedOut) break;
      if (stale.type == simsocket::kInputReport) pendingInput_.push_back(std::move(stale.payload));
    }
    const HidStatus sent = Send(simsocket::kGetFeature, report);
    if (sent != HidStatus::Ok) return sent;

    const Clock::time_point deadline = Clock::now() + featureTimeout_;
    for (;;) {
      Packet packet;
      const HidStatus status = Receive(packet, deadline);
      if (status != HidStatus::Ok) return status;
      if (packet.type == simsocket::kInputReport) {
        pendingInput_.push_back(std::move(packet.payload));  // a page that overtook the reply
      } else if (packet.type == simsocket::kFeatureReply) {
        std::copy_n(packet.payload.begin(), std::min(report.size(), packet.payload.size()),
                    report.begin());
        return HidStatus::Ok;
      }
    }
  }

  HidStatus WriteReport(std::span<const uint8_t> report) override {
    return Send(simsocket::kWriteReport, report);
  }

  HidStatus ReadReport(std::span<uint8_t> buffer, std::chrono::milliseconds timeout,
                       std::size_t& bytesRead) override {
    std::lock_guard lock(receiveMutex_);
    if (closed_.load()) return HidStatus::Failed;
    std::vector<uint8_t> report;
    if (!pendingInput_.empty()) {
      report = std::move(pendingInput_.front());
      pendingInput_.pop_front();
    } else {
      const Clock::time_point deadline = Clock::now() + timeout;
      for (;;) {
        Packet packet;
        const HidStatus status = Receive(packet, deadline);
        if (status != HidStatus::Ok) return status;
        if (packet.type == simsocket::kInputReport) {
          report = std::move(packet.payload);
          break;
        }
        // A feature reply nobody waits for any more: dropped.
      }
    }
    bytesRead = std::min(buffer.size(), report.size());
    std::copy_n(report.begin(), bytesRead, buffer.begin());
    return HidStatus::Ok;
  }

  void Close() override {
    // The descriptor stays allocated until destruction so that a reader polling it on another
    // thread can never see it reused; shutdown wakes that reader with end-of-file.
    if (!closed_.exchange(true)) shutdown(fd_.Get(), SHUT_RDWR);
  }

 private:
  struct Packet {
    char type = 0;
    std::vector<uint8_t> payload;
  };

  HidStatus Send(char type, std::span<const uint8_t> report) {
    if (closed_.load()) return HidStatus::Failed;
    if (report.size() + 1 > kMaxPacket) return HidStatus::Failed;
    uint8_t packet[kMaxPacket];
    packet[0] = static_cast<uint8_t>(type);
    std::copy(report.begin(), report.end(), packet + 1);
    const std::size_t size = report.size() + 1;

    const Clock::time_point deadline = Clock::now() + featureTimeout_;
    for (;;) {
      const ssize_t sent = send(fd_.Get(), packet, size, MSG_DONTWAIT | MSG_NOSIGNAL);
      if (sent == static_cast<ssize_t>(size)) return HidStatus::Ok;
      if (sent >= 0 || (errno != EAGAIN && errno != EINTR)) return HidStatus::Failed;
      // The simulator has stopped reading; wait for room, within bounds.
      pollfd room{fd_.Get(), POLLOUT, 0};
      const int ready = poll(&room, 1, MillisecondsUntil(deadline));
      if (ready == 0) return HidStatus::TimedOut;
      if (ready < 0 && errno != EINTR) return HidStatus::Failed;
      if (closed_.load()) return HidStatus::Failed;
    }
  }

  // One packet, waiting until deadline (a deadline already past only takes what is queued).
  HidStatus Receive(Packet& packet, Clock::time_point deadline) {
    for (;;) {
      if (closed_.load()) return HidStatus::Failed;
      pollfd input{fd_.Get(), POLLIN, 0};
      const int ready = poll(&input, 1, MillisecondsUntil(deadline));
      if (ready < 0) {
        if (errno == EINTR) continue;
        return HidStatus::Failed;
      }
      if (ready == 0) return HidStatus::TimedOut;

      uint8_t buffer[kMaxPacket];
      const ssize_t size = recv(fd_.Get(), buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
      if (size == 0) return HidStatus::Failed;  // the simulator went away, or Close()
      if (size < 0) {
        if (errno == EAGAIN || errno == EINTR) continue;
        return HidStatus::Failed;
      }
      if (static_cast<std::size_t>(size) > sizeof buffer) continue;  // not ours
      packet.type = static_cast<char>(buffer[0]);
      packet.payload.assign(buffer + 1, buffer + size);
      return HidStatus::Ok;
    }
  }

  const UniqueFd fd_;
  const std::chrono::milliseconds featureTimeout_;
  std::atomic<bool> closed_{false};
  std::mutex receiveMutex_;
  std::deque<std::vector<uint8_t>> pendingInput_;  // guarded by receiveMutex_
};

}  // namespace

SimSocketTransport::SimSocketTransport()
    : SimSocketTransport(simsocket::DefaultDiscoveryFolder()) {}

SimSocketTransport::SimSocketTransport(std::string folder, std::chrono::milliseconds featureTimeout)
    : folder_(std::move(folder)), featureTimeout_(featureTimeout) {
  while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
}

std::vector<HidInterfaceInfo> SimSocketTransport::Enumerate() {
  std::vector<std::pair<std::string, simsocket::SocketName>> found;
  DIR* dir = opendir(folder_.c_str());
  if (dir == nullptr) return {};
  while (const dirent* entry = readdir(dir)) {
    const auto name = simsocket::ParseSocketFileName(entry->d_name);
    if (name && name->kind != simsocket::SocketKind::Control)
      found.emplace_back(entry->d_name, *name);
  }
  closedir(dir);
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });

  std::vector<HidInterfaceInfo> interfaces;
  for (const auto& [fileName, name] : found) {
    const std::string path = folder_ + "/" + fileName;
    // A socket file whose simulator was killed refuses the connection at once.
    if (!simsocket::ConnectTo(path, true).Valid()) continue;
    interfaces.push_back({path, name.vendorId, name.productId});
  }
  return interfaces;
}

std::unique_ptr<HidDevice> SimSocketTransport::Open(const std::string& path) {
  UniqueFd fd = simsocket::ConnectTo(path, false);
  if (!fd.Valid()) return nullptr;
  return std::make_unique<SimSocketDevice>(std::move(fd), featureTimeout_);
}

}  // namespace tarsel
