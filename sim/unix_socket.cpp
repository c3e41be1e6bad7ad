#include "unix_socket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <cerrno>
#include <cstring>

#include "socket_protocol.h"

namespace tarsel::simsocket {
namespace {

bool MakeAddress(const std::string& path, sockaddr_un& address) {
  if (!FitsSocketAddress(path)) {
    errno = ENAMETOOLONG;
    return false;
  }
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace

UniqueFd ListenAt(const std::string& path) {
  sockaddr_un address;
  if (!MakeAddress(path, address)) return {};
  UniqueFd fd(socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd.Valid()) return {};
  if (bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd.Get(), 16) != 0) {
    return {};
  }
  return fd;
}

UniqueFd ConnectTo(const std::string& path, bool nonBlocking) {
  sockaddr_un address;
  if (!MakeAddress(path, address)) return {};
  const int flags = SOCK_SEQPACKET | SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0);
  UniqueFd fd(socket(AF_UNIX, flags, 0));
  if (!fd.Valid()) return {};
  int result;
  do {
    result = connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (result != 0 && errno == EINTR);
  if (result != 0 && !(nonBlocking && errno == EAGAIN)) return {};
  return fd;
}

}  // namespace tarsel::simsocket
