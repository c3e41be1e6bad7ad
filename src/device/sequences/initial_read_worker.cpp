#include "device/sequences/initial_read_worker.h"

#include <memory>

#include "platform/messages.h"

namespace tarsel {

InitialReadWorker::InitialReadWorker(WholeDeviceSequences& sequences, MessageSink& sink)
    : sequences_(sequences), sink_(sink) {}

InitialReadWorker::~InitialReadWorker() {
  Cancel();
  if (thread_.joinable()) thread_.join();
}

bool InitialReadWorker::StartInitialRead(const DeviceStateBlock& seed,
                                         const std::array<uint8_t, 4>& version) {
  if (thread_.joinable()) return false;
  // The block is 10 KB: keep the worker's copy on the heap, not on its stack.
  auto work = std::make_unique<Result>(Result{seed, version});
  thread_ = std::thread([this, work = std::move(work)]() mutable {
    if (!sequences_.InitialRead(work->block, work->version, &cancel_)) return;
    {
      std::lock_guard lock(mutex_);
      result_ = *work;
    }
    sink_.Post(WM_DEVICE_STATE_READY, 0, 0);
  });
  return true;
}

bool InitialReadWorker::TakeResult(Configuration& config) {
  std::lock_guard lock(mutex_);
  if (!result_) return false;
  config.block = result_->block;
  config.firmwareVersion = result_->version;
  config.TakeSavedBlockCopy();
  result_.reset();
  return true;
}

}  // namespace tarsel
