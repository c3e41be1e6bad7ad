// A keyboard session without a keyboard: presence, what a read delivers and the firmware version
// are set by the test; every call is recorded in order.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/keyboard_session.h"

namespace tarsel::testing {

class FakeKeyboardSession final : public KeyboardSession {
 public:
  bool OpenAndStartInitialRead(MessageSink& window) override {
    calls.push_back("OpenAndStartInitialRead");
    if (onStartInitialRead) onStartInitialRead();
    this->window = &window;
    commandOpen = present;
    return present;
  }
  bool OpenAndStartListener(MessageSink&) override {
    calls.push_back("OpenAndStartListener");
    return present;
  }
  bool CommandInterfacePresent() const override { return commandOpen; }
  void TakeDeviceState(Configuration& config) override {
    calls.push_back("TakeDeviceState");
    if (readBlock) {
      config.block = *readBlock;
      config.savedBlock = *readBlock;
      readBlock.reset();
    }
    config.firmwareVersion = firmware;
  }
  bool ReadReportRate(DeviceStateBlock& block) override {
    calls.push_back("ReadReportRate");
    if (reportRate) block.reportRate = *reportRate;
    return reportRate.has_value();
  }
  bool ReadLighting(DeviceStateBlock&) override {
    calls.push_back("ReadLighting");
    return true;
  }
  bool ReadKeyEnable(DeviceStateBlock&) override {
    calls.push_back("ReadKeyEnable");
    return true;
  }
  bool WriteChanges(Configuration&) override {
    calls.push_back("WriteChanges");
    return true;
  }
  bool RestoreFactorySettings(Configuration&) override {
    calls.push_back("RestoreFactorySettings");
    return true;
  }
  void OnDeviceChange(DeviceChange change, MessageSink&) override {
    calls.push_back(change == DeviceChange::Arrival ? "Arrival" : "Removal");
  }
  void Shutdown() override {
    calls.push_back("Shutdown");
    commandOpen = false;
  }

  bool present = true;
  bool commandOpen = false;
  std::optional<DeviceStateBlock> readBlock;
  std::optional<uint8_t> reportRate;
  std::array<uint8_t, 4> firmware{};
  std::function<void()> onStartInitialRead;
  MessageSink* window = nullptr;
  std::vector<std::string> calls;
};

}  // namespace tarsel::testing
