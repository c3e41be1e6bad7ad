// The socket transport against a scripted peer on real Unix sockets: framing, discovery of live
// sockets only, bounded waits, and Close() waking a reader on another thread.
#include "sim_socket_transport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

#include "config/temp_folder.h"
#include "socket_protocol.h"
#include "unix_socket.h"

namespace tarsel {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

constexpr auto kLongWait = 10s;  // a bound against hanging, never reached when things work

// One listening socket with the command interface's name and the peer end of one connection.
class ScriptedPeer {
 public:
  explicit ScriptedPeer(const std::string& folder)
      : path_(folder + "/" + simsocket::SocketFileName(simsocket::SocketKind::Command, getpid())),
        listener_(simsocket::ListenAt(path_)) {}

  const std::string& Path() const { return path_; }
  bool Listening() const { return listener_.Valid(); }

  // Accepts the connection the transport made (waits for it).
  bool Accept() {
    pollfd p{listener_.Get(), POLLIN, 0};
    if (poll(&p, 1, 10'000) != 1) return false;
    peer_ = UniqueFd(accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC));
    return peer_.Valid();
  }
  void Send(char type, Bytes payload) {
    payload.insert(payload.begin(), static_cast<uint8_t>(type));
    ASSERT_EQ(send(peer_.Get(), payload.data(), payload.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(payload.size()));
  }
  Bytes Receive() {
    Bytes packet(256);
    pollfd p{peer_.Get(), POLLIN, 0};
    if (poll(&p, 1, 10'000) != 1) return {};
    const ssize_t size = recv(peer_.Get(), packet.data(), packet.size(), 0);
    packet.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    return packet;
  }
  void Hangup() { peer_.Reset(); }

 private:
  std::string path_;
  UniqueFd listener_;
  UniqueFd peer_;
};

class SimSocketTransportTest : public ::testing::Test {
 protected:
  std::string Folder() const { return folder_.path().parent_path().string(); }

  testing::TempFolder folder_;
  SimSocketTransport transport_{Folder(), 100ms};
};

TEST_F(SimSocketTransportTest, EnumerateOffersOnlySocketsSomeoneAnswersOn) {
  ScriptedPeer live(Folder());
  ASSERT_TRUE(live.Listening());
  // A socket file whose owner was killed: bound, never listened on any more.
  const std::string stale = Folder() + "/hid-04d9-a1dd-999999-mi_03.sock";
  {
    UniqueFd fd(socket(AF_UNIX, SOCK_SEQPACKET, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, stale.c_str());
    ASSERT_EQ(bind(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }
  std::ofstream(Folder() + "/hid-04d9-a1dd-999998-mi_01-col04.sock") << "not a socket";
  std::ofstream(Folder() + "/notes.txt") << "unrelated";
  const UniqueFd control = simsocket::ListenAt(
      Folder() + "/" + simsocket::SocketFileName(simsocket::SocketKind::Control, getpid()));

  const std::vector<HidInterfaceInfo> found = transport_.Enumerate();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].path, live.Path());
  EXPECT_EQ(found[0].vendorId, 0x04D9);
  EXPECT_EQ(found[0].productId, 0xA1DD);
  EXPECT_NE(found[0].path.find("mi_03"), std::string::npos);

  EXPECT_EQ(transport_.Open(stale), nullptr);
  EXPECT_TRUE(SimSocketTransport(Folder() + "/missing").Enumerate().empty());
}

TEST_F(SimSocketTransportTest, ReportsTravelFramedByType) {
  ScriptedPeer peer(Folder());
  const std::unique_ptr<HidDevice> device = transport_.Open(peer.Path());
  ASSERT_TRUE(device && peer.Accept());

  const Bytes feature = {0, 0x01, 3, 0, 0, 0, 0, 0, 0xFB};
  ASSERT_EQ(device->SendFeatureReport(feature), HidStatus::Ok);
  Bytes expected = feature;
  expected.insert(expected.begin(), 'S');
  EXPECT_EQ(peer.Receive(), expected);

  const Bytes page(65, 0x5A);
  ASSERT_EQ(device->WriteReport(page), HidStatus::Ok);
  expected = page;
  expected.insert(expected.begin(), 'W');
  EXPECT_EQ(peer.Receive(), expected);
}

TEST_F(SimSocketTransportTest, GetFeatureTakesItsOwnReplyAndKeepsPagesThatOvertakeIt) {
  ScriptedPeer peer(Folder());
  const std::unique_ptr<HidDevice> device = transport_.Open(peer.Path());
  ASSERT_TRUE(device && peer.Accept());
  peer.Send('F', {0, 0xEE, 0xEE, 0, 0, 0, 0, 0, 0});  // a reply that came too late before

  std::thread keyboard([&] {
    const Bytes request = peer.Receive();
    EXPECT_EQ(request, (Bytes{'G', 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    Bytes page(65, 0x11);
    page[0] = 0;
    peer.Send('I', page);
    peer.Send('F', {0, 0x81, 2, 0, 0, 0, 0, 0, 0x7C});
  });
  Bytes reply(9, 0);
  EXPECT_EQ(device->GetFeatureReport(reply), HidStatus::Ok);
  keyboard.join();
  EXPECT_EQ(reply, (Bytes{0, 0x81, 2, 0, 0, 0, 0, 0, 0x7C}));

  Bytes buffer(65, 0xFF);
  std::size_t size = 0;
  ASSERT_EQ(device->ReadReport(buffer, kLongWait, size), HidStatus::Ok);
  EXPECT_EQ(size, 65u);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[64], 0x11);
}

TEST_F(SimSocketTransportTest, WaitsAreBoundedAndAPeerThatLeavesFailsThem) {
  ScriptedPeer peer(Folder());
  const std::unique_ptr<HidDevice> device = transport_.Open(peer.Path());
  ASSERT_TRUE(device && peer.Accept());

  Bytes buffer(4, 0);
  std::size_t size = 0;
  EXPECT_EQ(device->ReadReport(buffer, 20ms, size), HidStatus::TimedOut);
  Bytes reply(9, 0);
  EXPECT_EQ(device->GetFeatureReport(reply), HidStatus::TimedOut) << "nobody answers";

  // A short buffer takes the start of a longer report.
  peer.Send('I', {4, 1, 0x1B, 0, 0x99});
  ASSERT_EQ(device->ReadReport(buffer, kLongWait, size), HidStatus::Ok);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(buffer, (Bytes{4, 1, 0x1B, 0}));

  peer.Hangup();
  EXPECT_EQ(device->ReadReport(buffer, kLongWait, size), HidStatus::Failed);
  EXPECT_EQ(device->GetFeatureReport(reply), HidStatus::Failed);
  EXPECT_EQ(device->SendFeatureReport(reply), HidStatus::Failed);
}

TEST_F(SimSocketTransportTest, CloseWakesAReaderOnAnotherThread) {
  ScriptedPeer peer(Folder());
  const std::unique_ptr<HidDevice> device = transport_.Open(peer.Path());
  ASSERT_TRUE(device && peer.Accept());

  std::atomic<bool> reading{false};
  std::atomic<int> outcome{-1};
  std::thread listener([&] {
    Bytes buffer(4, 0);
    std::size_t size = 0;
    reading = true;
    outcome = static_cast<int>(device->ReadReport(buffer, kLongWait, size));
  });
  while (!reading) std::this_thread::yield();
  device->Close();
  listener.join();
  EXPECT_EQ(outcome.load(), static_cast<int>(HidStatus::Failed));

  const Bytes feature(9, 0);
  EXPECT_EQ(device->SendFeatureReport(feature), HidStatus::Failed);
  device->Close();  // twice is harmless
}

TEST_F(SimSocketTransportTest, SocketsAreNotInheritedByChildren) {
  ScriptedPeer peer(Folder());
  const std::unique_ptr<HidDevice> device = transport_.Open(peer.Path());
  ASSERT_TRUE(device && peer.Accept());
  // The newest descriptors of this process are the transport's socket and the peer's.
  int checked = 0;
  for (int fd = 3; fd < 1024; ++fd) {
    const int flags = fcntl(fd, F_GETFD);
    if (flags < 0) continue;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISSOCK(info.st_mode)) continue;
    EXPECT_TRUE(flags & FD_CLOEXEC) << "socket descriptor " << fd;
    ++checked;
  }
  EXPECT_GE(checked, 2);
}

}  // namespace
}  // namespace tarsel
