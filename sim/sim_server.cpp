#include "sim_server.h"

#include <dirent.h>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "socket_protocol.h"
#include "unix_socket.h"

namespace tarsel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kMaxPacket = 256;

void Complain(const std::string& message) {
  std::fprintf(stderr, "tarsel-kbdsim: %s\n", message.c_str());
}

bool SendPacket(int fd, char type, std::span<const uint8_t> payload) {
  uint8_t packet[kMaxPacket];
  packet[0] = static_cast<uint8_t>(type);
  const std::size_t size = std::min(payload.size(), kMaxPacket - 1);
  std::copy_n(payload.begin(), size, packet + 1);
  // A host that does not read its queue loses reports, as with a real device; it never stalls us.
  return send(fd, packet, size + 1, MSG_DONTWAIT | MSG_NOSIGNAL) == static_cast<ssize_t>(size + 1);
}

}  // namespace

SimServer::SimServer(ServeOptions options, Clock::time_point start)
    : options_(std::move(options)),
      log_(options_.logFile.empty() ? ReportLog() : ReportLog(options_.logFile, start)) {
  model_.SetDropAcks(options_.dropAcks);
  stalled_ = options_.stallAfter && *options_.stallAfter == 0;
}

SimServer::~SimServer() {
  RemoveOwnSockets();
}

bool SimServer::Start() {
  folder_ = options_.folder.empty() ? simsocket::DefaultDiscoveryFolder() : options_.folder;
  while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
  if (auto problem = simsocket::PreparePrivateFolder(folder_)) {
    Complain(*problem);
    return false;
  }
  if (!options_.logFile.empty() && !log_.Ok()) {
    Complain("cannot write log " + options_.logFile + ": " + std::strerror(errno));
    return false;
  }

  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  signals_ = UniqueFd(signalfd(-1, &stopSignals, SFD_CLOEXEC | SFD_NONBLOCK));
  if (!signals_.Valid()) {
    Complain(std::string("signalfd: ") + std::strerror(errno));
    return false;
  }

  // A reader of our stdout that went away must not end the simulator; sockets use MSG_NOSIGNAL.
  signal(SIGPIPE, SIG_IGN);

  RemoveStaleSockets();
  const simsocket::SocketKind kinds[] = {
      simsocket::SocketKind::Command, simsocket::SocketKind::Event, simsocket::SocketKind::Control};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string path = folder_ + "/" + simsocket::SocketFileName(kinds[i], getpid());
    unlink(path.c_str());  // left by an earlier process that had our pid
    ownPaths_.push_back(path);
    listeners_[i] = simsocket::ListenAt(path);
    if (!listeners_[i].Valid()) {
      Complain("cannot listen at " + path + ": " + std::strerror(errno));
      return false;
    }
  }
  std::printf("tarsel-kbdsim: serving in %s\n", folder_.c_str());
  std::fflush(stdout);
  return true;
}

void SimServer::RemoveStaleSockets() const {
  DIR* dir = opendir(folder_.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    const auto name = simsocket::ParseSocketFileName(entry->d_name);
    if (!name || name->pid == getpid()) continue;
    // Only sockets of processes that no longer exist: a live simulator keeps its own.
    if (kill(name->pid, 0) != 0 && errno == ESRCH) unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

void SimServer::RemoveOwnSockets() {
  for (const std::string& path : ownPaths_) unlink(path.c_str());
  ownPaths_.clear();
}

int SimServer::Run() {
  if (!Start()) return 1;
  const Role roles[] = {Role::Command, Role::Event, Role::Control};

  while (!exitNow_) {
    std::vector<pollfd> fds;
    fds.push_back({signals_.Get(), POLLIN, 0});
    for (const UniqueFd& listener : listeners_) fds.push_back({listener.Get(), POLLIN, 0});
    for (const Client& client : clients_) fds.push_back({client.fd.Get(), POLLIN, 0});

    const int ready = poll(fds.data(), fds.size(), PollTimeoutMs(Clock::now()));
    if (ready < 0 && errno != EINTR) {
      Complain(std::string("poll: ") + std::strerror(errno));
      return 1;
    }
    if (ready > 0) {
      if (fds[0].revents != 0) break;  // SIGINT or SIGTERM
      for (std::size_t i = 0; i < 3; ++i) {
        if (fds[1 + i].revents & POLLIN) Accept(listeners_[i].Get(), roles[i]);
      }
      // Clients accepted above are not in fds yet; they are served on the next turn.
      std::vector<bool> gone(fds.size() - 4, false);
      for (std::size_t i = 0; i + 4 < fds.size() && !exitNow_; ++i) {
        if (fds[4 + i].revents != 0) gone[i] = !ServeClient(clients_[i]);
      }
      for (std::size_t i = gone.size(); i-- > 0;) {
        if (gone[i]) clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
    if (!exitNow_) SendDuePage(Clock::now());
  }
  RemoveOwnSockets();
  return 0;
}

void SimServer::Accept(int listener, Role role) {
  for (;;) {
    const int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    clients_.push_back({UniqueFd(fd), role});
  }
}

bool SimServer::ServeClient(Client& client) {
  while (!exitNow_) {
    uint8_t packet[kMaxPacket];
    const ssize_t size = recv(client.fd.Get(), packet, sizeof packet, MSG_DONTWAIT | MSG_TRUNC);
    if (size == 0) return false;
    if (size < 0) return errno == EAGAIN || errno == EINTR;
    if (static_cast<std::size_t>(size) > sizeof packet) continue;  // nothing of ours is this long
    if (client.role == Role::Control) {
      HandleControl(client, packet, static_cast<std::size_t>(size));
    } else if (client.role == Role::Command) {
      HandleHostReport(client, packet, static_cast<std::size_t>(size));
    }
    // The event interface takes nothing from the host; whatever arrives there is dropped.
  }
  return true;
}

void SimServer::HandleHostReport(Client& client, const uint8_t* packet, std::size_t size) {
  const char type = static_cast<char>(packet[0]);
  const std::span<const uint8_t> report(packet + 1, size - 1);
  const bool feature = (type == simsocket::kSetFeature || type == simsocket::kGetFeature) &&
                       report.size() == kFeatureReportSize;
  const bool page = type == simsocket::kWriteReport && report.size() == kPageReportSize;
  if (!feature && !page) return;
  ++hostReports_;

  if (type == simsocket::kSetFeature) {
    log_.Write("feature-set", report);
    if (!stalled_) model_.HostSetFeature(report);
  } else if (type == simsocket::kWriteReport) {
    log_.Write("page-write", report);
    if (!stalled_) model_.HostWritePage(report);
  } else if (!stalled_) {
    const FeatureReport reply = model_.HostGetFeature(report[0]);
    if (SendPacket(client.fd.Get(), simsocket::kFeatureReply, reply)) {
      log_.Write("feature-get", reply);
    }
    // Pages of a read follow its reply, each after the per-page time.
    nextPageAt_ = Clock::now() + options_.pageDelay;
  }
  FlushEvents();

  if (options_.exitAfter && hostReports_ >= *options_.exitAfter) {
    exitNow_ = true;  // unplugged: nothing more is answered or sent
  } else if (options_.stallAfter && hostReports_ >= *options_.stallAfter) {
    stalled_ = true;
  }
}

void SimServer::HandleControl(Client& client, const uint8_t* packet, std::size_t size) {
  if (size != 2 || static_cast<char>(packet[0]) != simsocket::kPressKey) return;
  if (!stalled_) {
    model_.PressKey(packet[1]);
    FlushEvents();
  }
  const uint8_t code[] = {packet[1]};
  SendPacket(client.fd.Get(), simsocket::kPressDone, code);
}

void SimServer::FlushEvents() {
  if (stalled_) return;
  while (auto report = model_.TakeReport(ModelInterface::Event)) {
    if (Broadcast(Role::Event, *report)) log_.Write("event", *report);
  }
}

void SimServer::SendDuePage(Clock::time_point now) {
  while (!stalled_ && model_.PendingReports(ModelInterface::Command) > 0 && now >= nextPageAt_) {
    const auto report = model_.TakeReport(ModelInterface::Command);
    if (Broadcast(Role::Command, *report)) log_.Write("page-read", *report);
    nextPageAt_ = now + options_.pageDelay;
  }
}

bool SimServer::Broadcast(Role role, const std::vector<uint8_t>& report) {
  bool delivered = false;
  for (const Client& client : clients_) {
    if (client.role == role && SendPacket(client.fd.Get(), simsocket::kInputReport, report)) {
      delivered = true;
    }
  }
  return delivered;
}

int SimServer::PollTimeoutMs(Clock::time_point now) const {
  if (stalled_ || model_.PendingReports(ModelInterface::Command) == 0) return -1;
  if (now >= nextPageAt_) return 0;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextPageAt_ - now);
  return static_cast<int>(wait.count());
}

}  // namespace tarsel
