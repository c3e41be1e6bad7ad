// How the simulator's interfaces appear on the machine: the discovery folder, the socket names
// and the framing of the packets on them. Shared by tarsel-kbdsim and the socket transport.
#pragma once

#include <sys/types.h>
#include <cstdint>
#include <optional>
#include <string>

namespace tarsel::simsocket {

// First byte of every SOCK_SEQPACKET packet; the rest is the report as on the wire.
inline constexpr char kSetFeature = 'S';    // host -> keyboard, 9 bytes
inline constexpr char kGetFeature = 'G';    // host -> keyboard, 9 bytes (byte 0 = report id)
inline constexpr char kWriteReport = 'W';   // host -> keyboard, 65 bytes
inline constexpr char kFeatureReply = 'F';  // keyboard -> host, 9 bytes
inline constexpr char kInputReport = 'I';   // keyboard -> host, a page or an event report
// Control socket: 'P' + key code asks for a key event; answered by 'K' + key code.
inline constexpr char kPressKey = 'P';
inline constexpr char kPressDone = 'K';

inline constexpr uint16_t kVendorId = 0x04D9;
inline constexpr uint16_t kProductId = 0xA1DD;

enum class SocketKind { Command, Event, Control };

// $XDG_RUNTIME_DIR/tarsel when that is set and absolute, else /tmp/tarsel-<uid>. No trailing '/'.
std::string DefaultDiscoveryFolder();

// File names inside the folder. The HID ones carry the markers the link searches for:
// hid-04d9-a1dd-<pid>-mi_03.sock (command) and hid-04d9-a1dd-<pid>-mi_01-col04.sock (event);
// the control socket is kbdsim-<pid>.ctl.
std::string SocketFileName(SocketKind kind, pid_t pid);

struct SocketName {
  SocketKind kind = SocketKind::Command;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  pid_t pid = 0;
};
// Recognises the names above (any vendor and product); nullopt for anything else.
std::optional<SocketName> ParseSocketFileName(const std::string& fileName);

// Creates the folder (and missing parents) with mode 0700 and checks that it is a directory
// owned by this user and closed to others. Returns an error text, or nullopt when usable.
std::optional<std::string> PreparePrivateFolder(const std::string& folder);

// Longest path a Unix socket address holds.
bool FitsSocketAddress(const std::string& path);

}  // namespace tarsel::simsocket
