#include "socket_protocol.h"

#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tarsel::simsocket {
namespace {

constexpr char kCommandSuffix[] = "-mi_03.sock";
constexpr char kEventSuffix[] = "-mi_01-col04.sock";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::optional<unsigned long> ParseNumber(const std::string& text, int base) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  for (char c : text) {
    const bool digit = c >= '0' && c <= '9';
    const bool hex = (c >= 'a' && c <= 'f');
    if (!digit && !(base == 16 && hex)) return std::nullopt;
  }
  return std::strtoul(text.c_str(), nullptr, base);
}

}  // namespace

std::string DefaultDiscoveryFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') {
    std::string folder = runtime;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder + "/tarsel";
  }
  return "/tmp/tarsel-" + std::to_string(getuid());
}

std::string SocketFileName(SocketKind kind, pid_t pid) {
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "hid-%04x-%04x-%d", kVendorId, kProductId,
                static_cast<int>(pid));
  switch (kind) {
    case SocketKind::Command:
      return prefix + std::string(kCommandSuffix);
    case SocketKind::Event:
      return prefix + std::string(kEventSuffix);
    case SocketKind::Control:
      break;
  }
  return "kbdsim-" + std::to_string(pid) + ".ctl";
}

std::optional<SocketName> ParseSocketFileName(const std::string& fileName) {
  SocketName name;
  std::string middle;
  if (fileName.rfind("kbdsim-", 0) == 0 && EndsWith(fileName, ".ctl")) {
    name.kind = SocketKind::Control;
    const auto pid = ParseNumber(fileName.substr(7, fileName.size() - 7 - 4), 10);
    if (!pid || *pid == 0 || *pid > 0x7FFFFFFF) return std::nullopt;
    name.pid = static_cast<pid_t>(*pid);
    return name;
  }
  if (fileName.rfind("hid-", 0) != 0) return std::nullopt;
  if (EndsWith(fileName, kEventSuffix)) {
    name.kind = SocketKind::Event;
    middle = fileName.substr(4, fileName.size() - 4 - std::strlen(kEventSuffix));
  } else if (EndsWith(fileName, kCommandSuffix)) {
    name.kind = SocketKind::Command;
    middle = fileName.substr(4, fileName.size() - 4 - std::strlen(kCommandSuffix));
  } else {
    return std::nullopt;
  }
  // middle is vvvv-pppp-<pid>
  if (middle.size() < 11 || middle[4] != '-' || middle[9] != '-') return std::nullopt;
  const auto vendor = ParseNumber(middle.substr(0, 4), 16);
  const auto product = ParseNumber(middle.substr(5, 4), 16);
  const auto pid = ParseNumber(middle.substr(10), 10);
  if (!vendor || !product || !pid || *pid == 0 || *pid > 0x7FFFFFFF) return std::nullopt;
  name.vendorId = static_cast<uint16_t>(*vendor);
  name.productId = static_cast<uint16_t>(*product);
  name.pid = static_cast<pid_t>(*pid);
  return name;
}

std::optional<std::string> PreparePrivateFolder(const std::string& folder) {
  if (folder.empty()) return "empty folder name";
  // Create each missing component; only the ones made here get mode 0700 by construction.
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      return "cannot create " + part + ": " + std::strerror(errno);
    }
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0) return folder + ": " + std::strerror(errno);
  if (!S_ISDIR(info.st_mode)) return folder + " is not a directory";
  // Anyone who could write here could plant a socket the utility would talk to.
  if (info.st_uid != getuid()) return folder + " belongs to another user";
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) return folder + " is writable by others";
  return std::nullopt;
}

bool FitsSocketAddress(const std::string& path) {
  return path.size() < sizeof(sockaddr_un{}.sun_path);
}

}  // namespace tarsel::simsocket
