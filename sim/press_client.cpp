#include "press_client.h"

#include <dirent.h>
#include <poll.h>
#include <sys/socket.h>
#include <algorithm>
#include <cerrno>
#include <vector>

#include "socket_protocol.h"
#include "unix_socket.h"

namespace tarsel {
namespace {

constexpr int kAnswerTimeoutMs = 2000;

std::vector<std::string> ControlSockets(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    const auto name = simsocket::ParseSocketFileName(entry->d_name);
    if (name && name->kind == simsocket::SocketKind::Control) names.push_back(entry->d_name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

bool AskToPress(const std::string& path, uint8_t keyCode) {
  const UniqueFd fd = simsocket::ConnectTo(path, false);
  if (!fd.Valid()) return false;  // a stale file of a simulator that was killed
  const uint8_t request[] = {static_cast<uint8_t>(simsocket::kPressKey), keyCode};
  if (send(fd.Get(), request, sizeof request, MSG_NOSIGNAL) != sizeof request) return false;
  pollfd waitFor{fd.Get(), POLLIN, 0};
  int ready;
  do {
    ready = poll(&waitFor, 1, kAnswerTimeoutMs);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return false;
  uint8_t answer[2] = {};
  return recv(fd.Get(), answer, sizeof answer, 0) == sizeof answer &&
         answer[0] == static_cast<uint8_t>(simsocket::kPressDone) && answer[1] == keyCode;
}

}  // namespace

std::optional<std::string> PressOnRunningSimulator(const std::string& folder, uint8_t keyCode) {
  for (const std::string& name : ControlSockets(folder)) {
    if (AskToPress(folder + "/" + name, keyCode)) return std::nullopt;
  }
  return "no simulator answers in " + folder;
}

}  // namespace tarsel
