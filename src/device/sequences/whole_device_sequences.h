// The sequences that move the whole configuration: the initial read, the full re-read and the
// write of the changed regions, each acknowledged by the keyboard.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "config/device_state_block.h"
#include "device/command_set.h"
#include "device/device_link.h"
#include "device/sequences/ack_flag.h"
#include "device/sequences/device_regions.h"
#include "platform/clock.h"

namespace tarsel {

struct SequenceOptions {
  // How long a write command may wait for the keyboard's acknowledgement.
  std::chrono::milliseconds ackTimeout{1000};
  // Interval of the acknowledgement poll.
  std::chrono::milliseconds ackPoll{10};
};

enum class WriteStatus {
  NothingToSend,  // live block equals its saved copy; nothing was sent
  Confirmed,      // every changed region was sent and confirmed
  NotConfirmed,   // a write failed or was not acknowledged in time; see unconfirmed
};

struct WriteResult {
  WriteStatus status = WriteStatus::NothingToSend;
  std::vector<Region> confirmed;    // in the order sent
  std::vector<Region> unconfirmed;  // still differing from the saved copy, sent again next time
};

// Stops a read between commands (shutdown, removal). May be set from any thread.
using CancelFlag = std::atomic<bool>;

class WholeDeviceSequences {
 public:
  WholeDeviceSequences(DeviceLink& link, Clock& clock, AckFlag& ackFlag,
                       SequenceOptions options = {});

  // The reads of the initial-read worker into block and firmwareVersion. All or nothing: when a
  // transfer fails (keyboard gone, page not sent in time) or cancel is set, block and version are
  // left as they were and the result is false.
  bool InitialRead(DeviceStateBlock& block, std::array<uint8_t, 4>& firmwareVersion,
                   const CancelFlag* cancel = nullptr);

  // The full re-read (after a factory reset, after reconnection); all or nothing as above. Does
  // not touch any saved copy.
  bool ReadWholeDevice(DeviceStateBlock& block, const CancelFlag* cancel = nullptr);

  // Folds the Windows-key lock into the key-enable bitmap, sends every region of block that
  // differs from saved, each acknowledged, and closes with the lighting. Regions confirmed are
  // copied into saved; on a failure the sequence stops, and what was not confirmed keeps its old
  // saved bytes so that the next call sends it again. When everything was confirmed, saved
  // becomes a full copy of block.
  WriteResult WriteChanges(DeviceStateBlock& block, DeviceStateBlock& saved);

  CommandSet& Commands() { return commands_; }
  DeviceLink& Link() { return link_; }

 private:
  bool ReadRegions(DeviceStateBlock& block, const CancelFlag* cancel);
  // Clears the flag, sends, waits for the acknowledgement within the time-out.
  template <typename Send>
  bool Acknowledged(Send send, bool pauseBeforeFirstTest);
  bool WaitForAck(bool pauseBeforeFirstTest);

  DeviceLink& link_;
  Clock& clock_;
  AckFlag& ackFlag_;
  SequenceOptions options_;
  CommandSet commands_;
};

}  // namespace tarsel
