// The initial-read worker: reads the whole configuration once after start-up on its own thread and
// hands the result to the UI thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "config/configuration.h"
#include "device/sequences/whole_device_sequences.h"
#include "platform/message_sink.h"

namespace tarsel {

class InitialReadWorker {
 public:
  InitialReadWorker(WholeDeviceSequences& sequences, MessageSink& sink);
  // Cancels a read still running and waits for the thread (bounded by one transfer time-out).
  ~InitialReadWorker();
  InitialReadWorker(const InitialReadWorker&) = delete;
  InitialReadWorker& operator=(const InitialReadWorker&) = delete;

  // Starts the worker unless it was started before (once per object). It reads into its own copy
  // of seed, so the UI thread keeps the live block meanwhile. When the read worked it posts
  // WM_DEVICE_STATE_READY (0, 0); when it failed it posts nothing and the live block keeps what
  // keymap.bin gave it. Posting rather than sending means the worker never waits on the UI thread.
  bool StartInitialRead(const DeviceStateBlock& seed, const std::array<uint8_t, 4>& version);

  // UI thread, from the handler of WM_DEVICE_STATE_READY: takes a finished read over as the live
  // block, its saved copy and the firmware version. False when no read result is waiting.
  bool TakeResult(Configuration& config);

  // Ends a running read at the next command; the thread finishes on its own.
  void Cancel() { cancel_.store(true, std::memory_order_release); }
  bool Started() const { return thread_.joinable(); }

 private:
  struct Result {
    DeviceStateBlock block;
    std::array<uint8_t, 4> version;
  };

  WholeDeviceSequences& sequences_;
  MessageSink& sink_;
  CancelFlag cancel_{false};
  std::mutex mutex_;  // guards result_
  std::optional<Result> result_;
  std::thread thread_;
};

}  // namespace tarsel
